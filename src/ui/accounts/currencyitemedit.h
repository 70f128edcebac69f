#pragma once

#include <QDialog>

class Notifier;
class QLabel;
class QLineEdit;
class QPushButton;

// The currency editor: symbol, international symbol and rate. "Save" closes it only
// with a proper rate; closing it any other way counts as "Cancel".
class TfrmCurrencyItemEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCurrencyItemEdit(Notifier &notifier, QWidget *parent = nullptr);

    // Fills the fields without cutting a stored text that is longer than a typed one may be.
    void setTexts(const QString &symbol, const QString &internationalSymbol, const QString &rate,
                  const QString &lastUpdated);

    // 1 after "Cancel" (or any other close), 0 after a successful "Save".
    int Cancelled = 1;

    QLineEdit *txtCurrencySymbol = nullptr;
    QLineEdit *txtIntCurrencySymbol = nullptr;
    QLineEdit *txtCurrencyRate = nullptr;
    QLabel *lblLastUpdated = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void btnSaveClick();
    void btnCancelClick();

    Notifier &m_notifier;
};
