#include "core/session/programoptions.h"

#include "core/base/money.h"
#include "core/base/texthelpers.h"
#include "core/session/settings.h"

void ProgramOptions::setDecimalDigits(int digits)
{
    DecimalDigits = digits;
    AmountFormat = AmountFormatForDigits(digits);
}

bool ProgramOptions::applyDigitsText(const QString &text)
{
    if (text.isEmpty() || !IsNumber(text))
        return false;
    // A fraction or a count outside what amounts can show is not a number of places.
    bool whole = false;
    const int digits = text.trimmed().toInt(&whole);
    if (!whole || digits < 0 || digits > MaxShownDigits)
        return false;
    setDecimalDigits(digits);
    return true;
}

void ProgramOptions::loadFromFile(TMyDataModule &db)
{
    const QString autoBackup = GetFileSetting(db, QStringLiteral("AutoBackup"));
    const QString autoTransaction = GetFileSetting(db, QStringLiteral("AutoTransaction"));
    const QString digits = GetFileSetting(db, QStringLiteral("DefaultDigits"));
    AutoBackupOn = autoBackup != QLatin1String("N");
    AutoTransactionOn = autoTransaction != QLatin1String("N");
    applyDigitsText(digits);
}
