#include "ui/mainwindow/mainmenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

} // namespace

MainMenu BuildMainMenu(QMenuBar *bar)
{
    MainMenu m;

    m.File1 = addMenu(bar, "File1", QStringLiteral("&File"));
    m.File1->setToolTipsVisible(true);
    m.NewTillbrookfile1 = addItem(m.File1, "NewTillbrookfile1", QStringLiteral("Create new Tillbrook file"));
    m.NewTillbrookfile1->setToolTip(
        QStringLiteral("Create a new Tillbrook file where you may store your transactions\n\n<Hint>\n"
                       "If you wish to skip the Wizard click cancel, in the Wizard Dialog, after you save the file."));
    m.OpenTillbrookfile1 = addItem(m.File1, "OpenTillbrookfile1", QStringLiteral("Open a Tillbrook file ..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_O));
    m.File1->addSeparator();
    m.Import1 = addItem(m.File1, "Import1", QStringLiteral("Import ..."));
    m.File1->addSeparator();
    m.NewTransaction1 = addItem(m.File1, "NewTransaction1", QStringLiteral("New Transaction"),
                                QKeySequence(Qt::CTRL | Qt::Key_N));
    m.EditTransaction1 = addItem(m.File1, "EditTransaction1", QStringLiteral("Edit Transaction"),
                                 QKeySequence(Qt::CTRL | Qt::Key_E));
    m.DeleteTransaction1 = addItem(m.File1, "DeleteTransaction1", QStringLiteral("Delete Transaction"),
                                   QKeySequence(Qt::CTRL | Qt::Key_D));
    m.File1->addSeparator();
    m.RegMru1 = m.File1->addMenu(QStringLiteral("Recently opened files"));
    m.RegMru1->setObjectName(QStringLiteral("RegMru1"));
    m.File1->addSeparator();
    m.Exit1 = addItem(m.File1, "Exit1", QStringLiteral("E&xit"));

    m.Setup1 = addMenu(bar, "Setup1", QStringLiteral("&Setup"));
    m.Currencies1 = addItem(m.Setup1, "Currencies1", QStringLiteral("Currencies"));
    m.Accounts1 = addItem(m.Setup1, "Accounts1", QStringLiteral("Accounts"));
    m.PayeesandBudgets1 = addItem(m.Setup1, "PayeesandBudgets1", QStringLiteral("Payees and Budgets"));
    m.CategoriesandBudgets1 = addItem(m.Setup1, "CategoriesandBudgets1", QStringLiteral("Categories and Budgets"));
    m.Setup1->addSeparator();
    m.ScheduledTransactions1 = addItem(m.Setup1, "ScheduledTransactions1", QStringLiteral("Scheduled Transactions ..."));

    m.Tools1 = addMenu(bar, "Tools1", QStringLiteral("&Tools"));
    m.CompactRepair1 = addItem(m.Tools1, "CompactRepair1", QStringLiteral("Validate and Optimise database"));
    m.Tools1->addSeparator();
    m.Backup1 = addItem(m.Tools1, "Backup1", QStringLiteral("Backup database"));
    m.Restore1 = addItem(m.Tools1, "Restore1", QStringLiteral("Restore database"));
    m.RestoreOptions1 = m.Tools1->addMenu(QStringLiteral("Restore Options"));
    m.RestoreOptions1->setObjectName(QStringLiteral("RestoreOptions1"));
    m.RestoreBeforeSession1 = addItem(m.RestoreOptions1, "RestoreBeforeSession1",
                                      QStringLiteral("Restore as before you started this session of Tillbrook"));
    m.RestoreLastClose1 = addItem(m.RestoreOptions1, "RestoreLastClose1",
                                  QStringLiteral("Restore as the last time you closed Tillbrook"));

    m.Options1 = addMenu(bar, "Options1", QStringLiteral("&Options"));
    m.Passwordprotectthisfile1 = addItem(m.Options1, "Passwordprotectthisfile1", QStringLiteral("Password protection"));
    m.Programoptions1 = addItem(m.Options1, "Programoptions1", QStringLiteral("Program options"));

    m.Reports1 = addMenu(bar, "Reports1", QStringLiteral("&Reports"));
    m.ReportCentre1 = addItem(m.Reports1, "ReportCentre1", QStringLiteral("Report Centre"));
    m.ViewAccountSummary1 = addItem(m.Reports1, "ViewAccountSummary1", QStringLiteral("View Account Summary"));
    m.Reports1->addSeparator();
    m.PayeeIncomeandExpenseChart1 = addItem(m.Reports1, "PayeeIncomeandExpenseChart1",
                                            QStringLiteral("Payee Income and Expense Chart"));
    m.CategoriesIncomeandExpenseChart1 = addItem(m.Reports1, "CategoriesIncomeandExpenseChart1",
                                                 QStringLiteral("Categories Income and Expense Chart"));
    m.Reports1->addSeparator();
    m.PayeeList1 = addItem(m.Reports1, "PayeeList1", QStringLiteral("Payee List"));
    m.CategoryList1 = addItem(m.Reports1, "CategoryList1", QStringLiteral("Category List"));
    m.Reports1->addSeparator();
    m.CategoryandPayeeGraphs1 = addItem(m.Reports1, "CategoryandPayeeGraphs1", QStringLiteral("Category and Payee Graphs"));
    m.BudgetAnalysis1 = addItem(m.Reports1, "BudgetAnalysis1", QStringLiteral("Budget Analysis"));

    m.Misc1 = addMenu(bar, "Misc1", QStringLiteral("&Misc"));
    m.Find1 = addItem(m.Misc1, "Find1", QStringLiteral("&Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    m.Misc1->addSeparator();
    m.MarkasUnset1 = addItem(m.Misc1, "MarkasUnset1", QStringLiteral("Mark as Unset"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
    m.MarkasVoid1 = addItem(m.Misc1, "MarkasVoid1", QStringLiteral("Mark as Void"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m.MarkasCleared1 = addItem(m.Misc1, "MarkasCleared1", QStringLiteral("Mark as Cleared"),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m.MarkasReconciled1 = addItem(m.Misc1, "MarkasReconciled1", QStringLiteral("Mark as Reconciled"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    m.Misc1->addSeparator();
    m.PreviousMonth1 = addItem(m.Misc1, "PreviousMonth1", QStringLiteral("Previous Month"),
                               QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    m.NextMonth1 = addItem(m.Misc1, "NextMonth1", QStringLiteral("Next Month"),
                           QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    m.ThisMonth1 = addItem(m.Misc1, "ThisMonth1", QStringLiteral("This Month"),
                           QKeySequence(Qt::CTRL | Qt::Key_Home));
    m.PreviousAccount1 = addItem(m.Misc1, "PreviousAccount1", QStringLiteral("Previous Account"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Up));
    m.NextAccount1 = addItem(m.Misc1, "NextAccount1", QStringLiteral("Next Account"),
                             QKeySequence(Qt::CTRL | Qt::Key_Down));

    m.Help1 = addMenu(bar, "Help1", QStringLiteral("&Help"));
    m.Help2 = addItem(m.Help1, "Help2", QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
    m.CheckforUpdates1 = addItem(m.Help1, "CheckforUpdates1", QStringLiteral("Check for Updates..."));
    return m;
}
