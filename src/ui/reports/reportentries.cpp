#include "ui/reports/reportentries.h"

#include "core/session/session.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/reports/accountsummarywindow.h"
#include "ui/reports/graphbudget.h"
#include "ui/reports/graphreports.h"

void ShowAccountSummary(Session &session, QWidget *parent)
{
    TfrmAccountSummary window(session.MyDataModule, session.options, session.notifier, parent);
    ExecDialog(window);
}

void ShowGraphReports(Session &session, QWidget *parent)
{
    TfrmGraphReports window(session.MyDataModule, session.notifier, parent);
    ExecDialog(window);
}

void ShowBudgetAnalysis(Session &session, QWidget *parent)
{
    TfrmGraphBudget window(session.MyDataModule, session.notifier, parent);
    ExecDialog(window);
}
