#pragma once

#include "core/maintenance/fileoptions.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
struct Session;

// "Tillbrook Options": the decimal places, automatic backups and the category fill-in
// of the open file. Nothing is stored unless a value was changed and the user agrees.
class TfrmOptions : public QDialog
{
    Q_OBJECT
public:
    TfrmOptions(Session &session, QWidget *parent = nullptr);

    // True once "OK" has stored new options.
    bool saved() const { return m_saved; }

    QTabWidget *PageControl1 = nullptr;
    QLineEdit *edtDecimalPlaces = nullptr;
    QToolButton *UpDown1Up = nullptr;
    QToolButton *UpDown1Down = nullptr;
    QComboBox *cmbAutoBackup = nullptr;
    QComboBox *cmbAutoTransaction = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    // The up-down control beside the decimal places: 2 to 3, no wrap-around.
    void stepDecimalPlaces(int step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void btnOKClick();

    Session &m_session;
    ShownFileOptions m_shown;
    bool m_saved = false;
};
