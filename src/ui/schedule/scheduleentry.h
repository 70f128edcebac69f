#pragma once

#include <QDate>

class QWidget;
struct Session;
struct TTransaction;

// The main window's entries to scheduled transactions.

// Setup > "Scheduled Transactions ...": the list inside one database transaction,
// committed after the dialog has closed (rolled back, with the error shown, when that
// fails). True when something was stored.
bool OpenScheduleList(Session &session, QWidget *parent);

// "Schedule this ...": the editor filled from the transaction; true when a schedule
// was stored.
bool OpenScheduleEditorFor(Session &session, QWidget *parent, const TTransaction &transaction);

// The due check at opening and on "Today": enters the automatic occurrences up to
// today and says how many in the message bar ("3 scheduled transactions entered."),
// names schedules that cannot be used in the warning bar, then asks about the others
// in "Scheduled Transactions Due". Returns the number of transactions entered, so the
// caller knows to load the register again.
int CheckSchedulesDue(Session &session, QWidget *parent, const QDate &today);
