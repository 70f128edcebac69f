#include "core/maintenance/fileoptions.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/session/session.h"
#include "core/session/settings.h"

namespace {

QString firstLetter(const QString &choice)
{
    return choice.left(1);
}

} // namespace

ShownFileOptions ReadShownFileOptions(TMyDataModule &db)
{
    return {GetFileSetting(db, QStringLiteral("DefaultDigits")), GetFileSetting(db, QStringLiteral("AutoBackup")),
            GetFileSetting(db, QStringLiteral("AutoTransaction"))};
}

bool FileOptionsChanged(const ShownFileOptions &shown, const QString &digits, const QString &autoBackupChoice,
                        const QString &autoTransactionChoice)
{
    return digits != shown.digits || firstLetter(autoBackupChoice) != shown.autoBackup
           || firstLetter(autoTransactionChoice) != shown.autoTransaction;
}

void SaveFileOptions(Session &session, const QString &digits, const QString &autoBackupChoice,
                     const QString &autoTransactionChoice)
{
    bool whole = false;
    const int places = digits.trimmed().toInt(&whole);
    if (!whole)
        throw TillbrookError(QStringLiteral("'%1' is not a valid number of decimal places.").arg(digits));
    const QString backup = firstLetter(autoBackupChoice);
    const QString transaction = firstLetter(autoTransactionChoice);
    TMyDataModule &db = session.MyDataModule;
    {
        WorkGuard work(db);
        SetFileSettingNumber(db, QStringLiteral("DefaultDigits"), places);
        SetFileSettingText(db, QStringLiteral("AutoBackup"), backup);
        SetFileSettingText(db, QStringLiteral("AutoTransaction"), transaction);
        work.commit();
    }
    ShowNotice(session.notifier, QStringLiteral("New Tillbrook settings saved."), InformationDialog);
    ProgramOptions &options = session.options;
    options.AutoBackupOn = backup != QLatin1String("N");
    options.AutoTransactionOn = transaction != QLatin1String("N");
    options.applyDigitsText(digits);
}
