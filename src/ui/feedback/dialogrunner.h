#pragma once

#include <functional>

class QDialog;

// Every modal dialog is shown through here, so tests can answer dialogs without
// blocking: a hook, when set, runs instead of QDialog::exec and returns its result.
int ExecDialog(QDialog &dialog);

using DialogHook = std::function<int(QDialog &)>;
// Installs a hook (an empty one restores exec) and returns the previous one.
DialogHook SetDialogHook(DialogHook hook);
