#pragma once

#include <QString>

struct Session;
class TMyDataModule;

// The three options of the open file as the options dialog shows them: the stored
// texts, read when the dialog is shown, tell later whether anything was changed.
struct ShownFileOptions
{
    QString digits;          // DefaultDigits as stored (may be empty)
    QString autoBackup;      // "Y", "N", or whatever else is stored
    QString autoTransaction;
};

ShownFileOptions ReadShownFileOptions(TMyDataModule &db);

// True when the dialog's values differ from what was shown: the decimal places text,
// and the first letter of each "Yes"/"No" choice against the stored letter.
bool FileOptionsChanged(const ShownFileOptions &shown, const QString &digits, const QString &autoBackupChoice,
                        const QString &autoTransactionChoice);

// Stores the dialog's values (DefaultDigits as a whole number, the first letters "Y"/"N")
// and puts them in force at once: AutoBackupOn, AutoTransactionOn and the decimal
// places. Shows "New Tillbrook settings saved.". Throws TillbrookError, storing
// nothing, when the decimal places are not a whole number.
void SaveFileOptions(Session &session, const QString &digits, const QString &autoBackupChoice,
                     const QString &autoTransactionChoice);
