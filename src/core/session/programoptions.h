#pragma once

#include <QString>

class TMyDataModule;

// The program-wide options in force while a file is open.
struct ProgramOptions
{
    int DecimalDigits = 2;
    QString AmountFormat = QStringLiteral("0.00");
    bool AutoBackupOn = false;
    bool AutoTransactionOn = true;

    void setDecimalDigits(int digits);
    // Takes the text when it is a whole number of places; otherwise keeps the
    // current values and returns false.
    bool applyDigitsText(const QString &text);
    // Reads AutoBackup, AutoTransaction and DefaultDigits of the open file: only "N"
    // switches an option off.
    void loadFromFile(TMyDataModule &db);
};
