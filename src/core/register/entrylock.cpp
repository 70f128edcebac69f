#include "core/register/entrylock.h"

#include "core/base/notices.h"

bool RefusedWhileEditing(const RegisterState &state, Notifier &notifier, const QString &message)
{
    if (!state.isEditing())
        return false;
    ShowNotice(notifier, message, WarningBar);
    return true;
}
