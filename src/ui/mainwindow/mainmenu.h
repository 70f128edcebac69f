#pragma once

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu bar: every menu and item with its caption and shortcut. The
// menu files (filecommands.cpp, setupcommands.cpp, ...) connect the items to their
// commands; an item no file connects does nothing when chosen.
struct MainMenu
{
    QMenu *File1 = nullptr;
    QAction *NewTillbrookfile1 = nullptr;
    QAction *OpenTillbrookfile1 = nullptr;
    QAction *Import1 = nullptr; // hidden
    QAction *NewTransaction1 = nullptr;
    QAction *EditTransaction1 = nullptr;
    QAction *DeleteTransaction1 = nullptr;
    QMenu *RegMru1 = nullptr; // "Recently opened files", filled by the recent-files list
    QAction *Exit1 = nullptr;

    QMenu *Setup1 = nullptr;
    QAction *Currencies1 = nullptr;
    QAction *Accounts1 = nullptr;
    QAction *PayeesandBudgets1 = nullptr;
    QAction *CategoriesandBudgets1 = nullptr;
    QAction *ScheduledTransactions1 = nullptr;

    QMenu *Tools1 = nullptr;
    QAction *CompactRepair1 = nullptr;
    QAction *Backup1 = nullptr;
    QAction *Restore1 = nullptr;
    QMenu *RestoreOptions1 = nullptr;
    QAction *RestoreBeforeSession1 = nullptr;
    QAction *RestoreLastClose1 = nullptr;

    QMenu *Options1 = nullptr;
    QAction *Passwordprotectthisfile1 = nullptr;
    QAction *Programoptions1 = nullptr;

    QMenu *Reports1 = nullptr;
    QAction *ReportCentre1 = nullptr;
    QAction *ViewAccountSummary1 = nullptr;
    QAction *PayeeIncomeandExpenseChart1 = nullptr;
    QAction *CategoriesIncomeandExpenseChart1 = nullptr;
    QAction *PayeeList1 = nullptr;
    QAction *CategoryList1 = nullptr;
    QAction *CategoryandPayeeGraphs1 = nullptr;
    QAction *BudgetAnalysis1 = nullptr;

    QMenu *Misc1 = nullptr;
    QAction *Find1 = nullptr;
    QAction *MarkasUnset1 = nullptr;
    QAction *MarkasVoid1 = nullptr;
    QAction *MarkasCleared1 = nullptr;
    QAction *MarkasReconciled1 = nullptr;
    // Moving through the register from the keyboard; Browse mode only.
    QAction *PreviousMonth1 = nullptr;
    QAction *NextMonth1 = nullptr;
    QAction *ThisMonth1 = nullptr;
    QAction *PreviousAccount1 = nullptr;
    QAction *NextAccount1 = nullptr;

    QMenu *Help1 = nullptr;
    QAction *Help2 = nullptr;
    QAction *CheckforUpdates1 = nullptr;
};

// Fills the menu bar; the actions are children of the bar's window.
MainMenu BuildMainMenu(QMenuBar *bar);
