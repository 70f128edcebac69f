#pragma once

#include "core/datafile/programfolder.h"

#include <QString>

class TMyDataModule;
class Notifier;

// Settings of the installation: Settings.ini (SettingsFileName) in ProgramPaths::settingsFolder().

// Value of Key in Section of Folder + "Settings.ini"; empty when the file, section or
// key is missing.
QString ReadIniSetting(const QString &section, const QString &key, const QString &folder);
// Writes Key = Value, keeping every other section and key; false when the write failed.
bool WriteIniSetting(const QString &section, const QString &key, const QString &value,
                     const QString &folder);
// WriteIniSetting, and on failure the warning dialog "Could not write to settings file".
bool WriteIniSettingOrWarn(Notifier &notifier, const QString &section, const QString &key,
                           const QString &value, const QString &folder);

// Settings of the data file: the one row of MySettings. Column must be one of its columns.
// Empty when the table has no row or the value is Null.
QString GetFileSetting(TMyDataModule &db, const QString &column);
void SetFileSettingText(TMyDataModule &db, const QString &column, const QString &value);
void SetFileSettingNumber(TMyDataModule &db, const QString &column, int value);
QString GetFilePassword(TMyDataModule &db);
// Stores the password (empty: none) and shows "Password has been set".
void SetFilePassword(TMyDataModule &db, Notifier &notifier, const QString &value);
