#include "core/maintenance/password.h"

#include "core/base/notices.h"
#include "core/session/passwordhash.h"
#include "core/session/settings.h"

bool FileHasPassword(TMyDataModule &db)
{
    return !GetFilePassword(db).isEmpty();
}

void ChangeFilePassword(TMyDataModule &db, Notifier &notifier, const std::optional<QString> &newPassword)
{
    QString stored;
    if (newPassword) {
        stored = newPassword->isEmpty() ? QString() : HashFilePassword(*newPassword);
    } else {
        stored = GetFilePassword(db);
        if (!stored.isEmpty() && !IsHashedFilePassword(stored))
            stored = HashFilePassword(stored);
    }
    SetFilePassword(db, notifier, stored);
    if (GetFilePassword(db).isEmpty())
        ShowNotice(notifier, QStringLiteral("Password has been removed"), WarningBar);
}
