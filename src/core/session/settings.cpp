#include "core/session/settings.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"
#include "core/datafile/sqlstatement.h"

#include <QSettings>

namespace {

QString iniPath(const QString &folder)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    return path + QLatin1String(SettingsFileName);
}

QString settingsKey(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

QString checkedColumn(const QString &column)
{
    if (!Schema::isKnownColumn(QStringLiteral("MySettings"), column))
        throw TillbrookError(QStringLiteral("MySettings has no column %1.").arg(column));
    return column;
}

} // namespace

QString ReadIniSetting(const QString &section, const QString &key, const QString &folder)
{
    QSettings ini(iniPath(folder), QSettings::IniFormat);
    return ini.value(settingsKey(section, key)).toString();
}

bool WriteIniSetting(const QString &section, const QString &key, const QString &value,
                     const QString &folder)
{
    QSettings ini(iniPath(folder), QSettings::IniFormat);
    if (!ini.isWritable())
        return false;
    ini.setValue(settingsKey(section, key), value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool WriteIniSettingOrWarn(Notifier &notifier, const QString &section, const QString &key,
                           const QString &value, const QString &folder)
{
    if (WriteIniSetting(section, key, value, folder))
        return true;
    ShowNotice(notifier, QStringLiteral("Could not write to settings file"), WarningDialog);
    return false;
}

QString GetFileSetting(TMyDataModule &db, const QString &column)
{
    SqlStatement query(db, QStringLiteral("SELECT %1 FROM MySettings").arg(checkedColumn(column)));
    query.exec();
    return query.next() ? query.value(0).toString() : QString();
}

void SetFileSettingText(TMyDataModule &db, const QString &column, const QString &value)
{
    SqlStatement query(db, QStringLiteral("UPDATE MySettings SET %1 = :Value").arg(checkedColumn(column)));
    query.bind(QStringLiteral(":Value"), value).exec();
}

void SetFileSettingNumber(TMyDataModule &db, const QString &column, int value)
{
    SqlStatement query(db, QStringLiteral("UPDATE MySettings SET %1 = :Value").arg(checkedColumn(column)));
    query.bind(QStringLiteral(":Value"), value).exec();
}

QString GetFilePassword(TMyDataModule &db)
{
    return GetFileSetting(db, QStringLiteral("Password"));
}

void SetFilePassword(TMyDataModule &db, Notifier &notifier, const QString &value)
{
    SetFileSettingText(db, QStringLiteral("Password"), value);
    ShowNotice(notifier, QStringLiteral("Password has been set"), WarningBar);
}
