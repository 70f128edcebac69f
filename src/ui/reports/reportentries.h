#pragma once

class QWidget;
struct Session;

// The main window's entries to the report windows (Reports menu and the Reports
// button's drop-down). Each creates its window, shows it modally and frees it.

void ShowAccountSummary(Session &session, QWidget *parent);
void ShowGraphReports(Session &session, QWidget *parent);
void ShowBudgetAnalysis(Session &session, QWidget *parent);
