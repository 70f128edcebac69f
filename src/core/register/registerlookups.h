#pragma once

#include <QString>
#include <QStringList>

class TMyDataModule;

// Account names for the register's account box, sorted by name without regard to
// case; empty and Null names are left out.
QStringList RegisterAccountNames(TMyDataModule &db);
// Name of the file's default account (MySettings.DefaultAccountId); empty when the
// setting is missing, negative or names no account.
QString DefaultAccountName(TMyDataModule &db);
