#pragma once

#include "register/registerstate.h"

#include <QWidget>

class RegisterHost;
struct Session;
struct TTransaction;

// The entry panel below the register grid: the type strip (tabs and, right of them,
// the message bar) and the "Transaction" group box in which one transaction is shown,
// created or edited. It works on the register through RegisterHost.
class EntryPanel : public QWidget
{
    Q_OBJECT
public:
    EntryPanel(Session &session, RegisterHost &host, QWidget *parent = nullptr);
    ~EntryPanel() override;

    // The register's message bar sits in the type strip, right of the tabs.
    void setMessageBar(QWidget *bar);

    void SetEntryMode(EntryMode mode);
    void ClearEntryPanel();
    void FillEntryPanel(const TTransaction &transaction);
    // Refill the payee and category boxes (after a file change or a setup dialog).
    void refillItemLists();
    // Refill the transfer list with every account but the shown one.
    void refillTransferList();
    void clearTransferSelection();
    // "&Amount " + the shown account's currency symbol.
    void setAmountCaption(const QString &currencySymbol);

    // Commands of the toolbar, the menus and the grid.
    void tbNewClick();
    void tbEditClick();
    void tbDeleteClick();
    void markStatus(const QString &status);
    void payeeSetup();    // Setup menu "Payees and Budgets"
    void categorySetup(); // Setup menu "Categories and Budgets"
};
