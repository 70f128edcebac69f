#pragma once

#include "core/accounts/accountrec.h"

#include <QDialog>

class Notifier;
class QPushButton;
class TMultiColListbox;
class TMyDataModule;

// The currency list: new, edit, delete, and making a currency the base currency.
// Every command runs in its own savepoint inside the transaction of whoever opened
// the dialog.
class TfrmCurrencyEdit : public QDialog
{
    Q_OBJECT
public:
    TfrmCurrencyEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent = nullptr);

    // True once a command has stored something during this visit.
    bool changed() const { return m_changed; }

    void FillCurrencyList();

    TMultiColListbox *lstItems = nullptr;
    QPushButton *btnSetBaseCurrency = nullptr;
    QPushButton *btnNew = nullptr;
    QPushButton *btnEdit = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnClose = nullptr;

private:
    bool EditCurrency(EditMode mode, const QString &symbol, const QString &internationalSymbol,
                      const QString &rateText, const QString &lastUpdatedText, bool isBase);
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnSetBaseCurrencyClick();
    // Runs a command in its own savepoint; the error, if any, is shown.
    template<typename Body> void command(Body &&body);

    TMyDataModule &m_db;
    Notifier &m_notifier;
    bool m_changed = false;
};
