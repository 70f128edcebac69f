// TfrmMain: the Reports menu: the report windows; the register's Reports button and its drop-down repeat them.
#include "ui/mainwindow/mainwindow.h"

#include "ui/register/registerview.h"
#include "ui/reports/incomeexpensechartprint.h"
#include "ui/reports/reportentries.h"
#include "ui/reports/totalsreportprint.h"

#include <QMenu>

void TfrmMain::connectReportsMenu()
{
    // An item is enabled once its report is connected below; the others stay greyed.
    for (QAction *action : m_menu.Reports1->actions())
        action->setEnabled(action->isSeparator());
    const auto connectReport = [this](QAction *action, auto handler) {
        action->setEnabled(true);
        onTriggered(action, handler);
    };

    connectReport(m_menu.ViewAccountSummary1, [this] { ShowAccountSummary(m_session, this); });
    // While one printed chart is previewed neither can be started again.
    const QList<QAction *> chartItems{m_menu.PayeeIncomeandExpenseChart1, m_menu.CategoriesIncomeandExpenseChart1};
    connectReport(m_menu.PayeeIncomeandExpenseChart1, [this, chartItems] {
        PreviewIncomeExpenseChart(m_session, this, ReportItemKind::Payees, chartItems);
    });
    connectReport(m_menu.CategoriesIncomeandExpenseChart1, [this, chartItems] {
        PreviewIncomeExpenseChart(m_session, this, ReportItemKind::Categories, chartItems);
    });
    connectReport(m_menu.PayeeList1, [this] { PreviewTotalsReport(m_session, this, ReportItemKind::Payees); });
    connectReport(m_menu.CategoryList1, [this] { PreviewTotalsReport(m_session, this, ReportItemKind::Categories); });
    connectReport(m_menu.CategoryandPayeeGraphs1, [this] { ShowGraphReports(m_session, this); });
    connectReport(m_menu.BudgetAnalysis1, [this] { ShowBudgetAnalysis(m_session, this); });

    // PopupMenu1, the Reports button's drop-down, holds the menu's own items, so both
    // show and enable the same reports.
    m_register->reportsMenu()->addActions(m_menu.Reports1->actions());
}
