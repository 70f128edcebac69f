#pragma once

#include <QDialog>

class Notifier;
class QComboBox;
class QLineEdit;
class QPushButton;
class TMyDataModule;

// The account editor: name, type and currency. "Save" closes it only with a name
// and a currency; closing it any other way counts as "Cancel".
class TfrmAccountEdit : public QDialog
{
    Q_OBJECT
public:
    // Fills the currency box from the data file.
    TfrmAccountEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr);

    // Fills the name and picks the type and currency equal to the texts (none when
    // there is no equal entry).
    void setTexts(const QString &name, const QString &type, const QString &currencySymbol);

    // 1 after "Cancel" (or any other close), 0 after a successful "Save".
    int Cancelled = 1;

    QLineEdit *txtAccountDescription = nullptr;
    QComboBox *cmbAccountType = nullptr;
    QComboBox *cmbAccountCurrency = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillCurrencyCombo();
    void btnSaveClick();
    void btnCancelClick();

    TMyDataModule &m_db;
    Notifier &m_notifier;
};
