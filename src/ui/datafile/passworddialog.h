#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the password of a data file (and, reworded, for a new password).
class TfrmPassword : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    // The typed text after "OK"; empty after "Cancel" or closing the window.
    QString EnteredPassword;

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtPassword = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnOKClick();
};

// Shows TfrmPassword with its default wording; the typed password or empty when cancelled.
QString PromptForPassword(QWidget *parent);
