#pragma once

#include <QString>

// An account's texts as the editor hands them to SaveAccount.
struct TAccountRec
{
    QString AccountDescription;
    QString AccountType;
    QString CurrencySymbol;
};

// A currency's texts as the editor hands them to SaveCurrency. The rate stays text
// until SaveCurrency reads it, so a bad entry is reported there, not lost.
struct TCurrencyRec
{
    QString CurrencySymbol;
    QString InternationalCurrencySymbol;
    QString CurrencyRate;
};

// How a save is meant: a new row, or a rewrite of an existing one.
enum class EditMode { New, Edit };
