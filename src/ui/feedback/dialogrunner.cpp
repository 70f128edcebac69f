#include "ui/feedback/dialogrunner.h"

#include <QDialog>

namespace {
DialogHook &currentHook()
{
    static DialogHook hook;
    return hook;
}
} // namespace

int ExecDialog(QDialog &dialog)
{
    if (const DialogHook &hook = currentHook())
        return hook(dialog);
    return dialog.exec();
}

DialogHook SetDialogHook(DialogHook hook)
{
    DialogHook previous = std::move(currentHook());
    currentHook() = std::move(hook);
    return previous;
}
