#pragma once

#include "core/base/notifier.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The program's message dialog: a bold top message with a picture, details that
// "More" uncovers, a grey bottom line and up to two buttons. The result is the
// caption of the button pressed, empty when the dialog was closed another way.
class TfrmVistaDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmVistaDlg(const MessageDialogRequest &request, QWidget *parent = nullptr);

    QString result() const { return m_result; }

    QLabel *lblTopMessage = nullptr;
    QLabel *lblMiddleMessage = nullptr;
    QLabel *lblBottomMessage = nullptr;
    QPushButton *btnMore = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnMoreClick();
    void buttonClick(QPushButton *button);

    QString m_result;
};
