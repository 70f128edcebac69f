#pragma once

#include <QString>

class QWidget;
struct Session;

// The main window's entries to the currency and account lists (Setup menu, the "..."
// button beside the account box, the new-file wizard). Each runs its dialog inside
// one database transaction, committed after the dialog has closed; when that fails
// it is rolled back and the error is shown. The result says whether anything was
// stored, so the caller knows to refresh its lists and reload the register.

bool OpenCurrencySetup(Session &session, QWidget *parent);

// shownAccount, when given, is the name in the main window's account box. Afterwards
// it holds that account's name as it is now (renamed, or empty when it was deleted),
// the account being followed by its identifier. When it names no account then (none
// was shown, or it was deleted) and accounts were made in the dialog, it holds the
// name of the one made last.
bool OpenAccountSetup(Session &session, QWidget *parent, QString *shownAccount = nullptr);
