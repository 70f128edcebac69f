#include "ui/exchange/importentry.h"

#include "ui/exchange/importdialog.h"
#include "ui/feedback/dialogrunner.h"

bool OpenImport(Session &session, const RegisterState &registerState, QWidget *parent)
{
    TfrmImport dialog(session, registerState, parent);
    ExecDialog(dialog);
    return dialog.imported();
}
