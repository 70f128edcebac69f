#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

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
    // Only when a new password is chosen (requireConfirmation).
    QLabel *lblConfirm = nullptr;
    QLineEdit *txtConfirm = nullptr;
    QLabel *lblMismatch = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    void reject() override;

    // Fills the field with a masked stand-in for a password that is set; the password
    // itself is never read back. True while the user has not touched the stand-in.
    void showStoredPasswordPlaceholder();
    bool placeholderKept() const { return m_placeholderShown && !m_edited; }

    // A second masked field, "Confirm password": OK is refused while the two differ.
    void requireConfirmation();
    // Whether the dialog ended by its "Cancel" button, rather than by Escape or the
    // window's close box.
    bool cancelPressed() const { return m_cancelPressed; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btnOKClick();

    bool m_placeholderShown = false;
    bool m_edited = false;
    bool m_cancelPressed = false;
    QVBoxLayout *m_fields = nullptr;
};

// Shows TfrmPassword with its default wording; the typed password or empty when cancelled.
QString PromptForPassword(QWidget *parent);
