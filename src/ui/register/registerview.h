#pragma once

#include "core/base/notifier.h"
#include "core/register/registerstate.h"
#include "core/register/shownmonth.h"
#include "ui/register/registerhost.h"

#include <QWidget>

#include <memory>

class AccountBar;
class EntryPanel;
class MessageBar;
class MonthNavigator;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class RegisterGrid;
class RegisterToolbar;
class TPubStrGrid;
struct Session;

// The register: one account and one month of transactions in a grid with a running
// balance, the account bar above it and the entry panel below. The main window sets
// it as its central widget; the entry panel works on it through RegisterHost.
class RegisterView : public QWidget, public RegisterHost
{
    Q_OBJECT
public:
    static constexpr int MinimumWindowWidth = 790;

    explicit RegisterView(Session &session, QWidget *parent = nullptr);
    ~RegisterView() override;

    // RegisterHost
    RegisterState &registerState() override { return m_state; }
    QString currentAccountName() const override;
    void LoadRegisterGrid() override;
    void ShowMonth(int month, int year) override;
    void AddRegisterRow(const TTransaction &transaction) override;
    void UpdateRegisterRows(const TTransaction &transaction) override;
    void RemoveRegisterRow(int transactionId) override;
    void SelectCurrentRow() override;
    void RefreshBalances() override;
    int registerRowCount() const override;
    void setBrowseControlsEnabled(bool enabled) override;
    void focusGrid() override;

    // Refills the account box and the entry panel's payee and category lists and
    // selects the file's default account. Loads nothing: callers load the grid.
    void RefreshLookups();
    // After the account list has closed: the account box lists the accounts as they
    // are now and shows account (none when it is empty or gone). In Browse mode the
    // register loads it. While a transaction is being entered only the lists, the
    // currency symbol and the balance follow: a reload would clear what is typed and,
    // in Edit, put another transaction under the user's Save.
    void accountsChanged(const QString &account);
    // After the currency list has closed; the same rule for a transaction being entered.
    void currenciesChanged();
    // Fills the entry panel again with the selected transaction, when the grid shows
    // rows: the start-up sets the date field to today after the panel was filled.
    void refillEntryPanel();
    bool isEditing() const { return m_state.isEditing(); }
    ShownMonth shownMonth() const;
    QDate FirstDayOfShownMonth() const;
    QDate LastDayOfShownMonth() const;
    void StepMonth(bool forward);
    // As the "Today" button: the current month, loaded.
    void ShowTodaysMonth();
    // The account above or below in the account list, loaded; nothing at either end.
    void StepAccount(bool forward);

    EntryPanel *entryPanel() const { return m_pnlSection; }
    MessageBar *messageBar() const { return m_messageBar; }
    RegisterGrid &registerGrid() const { return *m_grid; }
    TPubStrGrid *strGridTransactions() const;
    QLabel *lblNoTransactions() const { return m_lblNoTransactions; }
    QComboBox *cmbAccounts() const;
    QLabel *lblAccountStatus() const;
    QToolButton *btnNewAccount() const;
    MonthNavigator *pnlMonth() const;
    RegisterToolbar *tbUserOptions() const { return m_toolbar; }
    // PopupMenu1 of the Reports button, for the main window's report actions.
    QMenu *reportsMenu() const;
    // ExportMenu of the grid: "Export to Excel..." and "Export to CSV...".
    QMenu *exportMenu() const { return m_exportMenu; }
    QAction *exportToExcelAction() const { return m_exportToExcel; }
    QAction *exportToCsvAction() const { return m_exportToCsv; }

public slots:
    // The message bar; WidgetNotifier's bar sink points here.
    void showBarMessage(const QString &text, BarKind kind);

signals:
    // "..." beside the account box.
    void accountsDialogRequested();
    // A click on the Reports button itself (its arrow opens reportsMenu()).
    void reportsRequested();
    // The entry panel left (true) or entered (false) Browse mode: the main window's
    // transaction commands follow.
    void browseControlsEnabledChanged(bool enabled);

private:
    int currentAccountId() const;
    void showAccountBalance(int accountId);
    // The shown account's balance and currency symbol, without touching the rows.
    void showAccountSymbols();
    void setGridShown(bool shown);
    void makeRowCurrent(int row);
    void strGridTransactionsSelectCell(int row);
    void currentRowChanged(int row);
    void accountChanged();
    void monthChosen();

    Session &m_session;
    RegisterState m_state;
    AccountBar *m_accountBar;
    RegisterToolbar *m_toolbar;
    std::unique_ptr<RegisterGrid> m_grid;
    QLabel *m_lblNoTransactions;
    EntryPanel *m_pnlSection;
    MessageBar *m_messageBar;
    QMenu *m_exportMenu;
    QAction *m_exportToExcel;
    QAction *m_exportToCsv;
    // Set while the program moves the current cell itself.
    bool m_movingCurrent = false;
    // Transaction the panel was last filled with during this load.
    int m_filledId = -1;
};
