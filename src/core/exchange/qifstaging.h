#pragma once

#include "core/base/money.h"
#include "core/base/tillbrookerror.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

// The transactions of a QIF file, read and checked, ready to be stored once every
// account reference is linked to an account of the data file.
//
// Each transaction section ("!Type:Bank", "Cash", "CCard", "Oth A", "Oth L") belongs to
// one account of the file, its own account, referred to as "[" + name + "]": the name of
// the "!Account" record just before the section; else, when the section opens with an
// "Opening Balance" record whose "L" names an account in brackets, that name; else the
// section's account type ("[Bank]", "[Cash]", "[Credit Card]", "[Asset]",
// "[Liability]"). A record whose "L" names another account in brackets is a transfer
// between the two. "!Type:Invst" sections and lists (categories, classes, memorised
// transactions, the "!Account" records themselves) are passed over, as is every
// record without a "D" line.

// A fault in the file's content, with the line it was found on.
class QifError : public TillbrookError
{
public:
    QifError(int line, const QString &reason)
        : TillbrookError(QStringLiteral("line %1: %2").arg(line).arg(reason)), m_line(line), m_reason(reason) {}
    int line() const { return m_line; }
    const QString &reason() const { return m_reason; }
    // "<fileName>, line 12: <reason>"
    QString describe(const QString &fileName) const
    {
        return QStringLiteral("%1, line %2: %3").arg(fileName).arg(m_line).arg(m_reason);
    }

private:
    int m_line;
    QString m_reason;
};

// The reconciliation mark a row carries in: a value, not a flag, as banks and other
// programs write more than one.
enum class StagedStatus : quint8 { Unset, Cleared, Reconciled };
// QIF's "C" line: "X" and "R" mean reconciled, "*" and "c" cleared.
StagedStatus QifStatusOf(QByteArrayView mark);

struct QifStagedRow
{
    QDate date;
    Money amount;          // signed as seen from the row's own account
    int payee = 0;         // index into QifStaging::names; 0 is the empty name (no "P" line)
    int category = 0;      // the "L" text as written, brackets and all
    QString note;
    int account = -1;      // index into QifStaging::references: the section's own account
    int otherAccount = -1; // for a transfer, the account its "L" names; else -1
    StagedStatus status = StagedStatus::Unset; // from the "C" line
    int line = 0;          // first line of the record

    bool isTransfer() const { return otherAccount >= 0; }
};

struct QifStaging
{
    // Payee and category texts; names[0] is empty.
    QStringList names;
    // Every account reference the rows use, with its brackets, each once: first those
    // named in "L" lines in order of first appearance, then the sections' own accounts
    // that no "L" line names.
    QStringList references;
    std::vector<QifStagedRow> rows;
    int transferCount = 0;
    // Transfers met a second time in the other account's section and left out.
    int duplicateTransferCount = 0;
    bool dayFirst = false;
};

// Reads and stages the file's bytes (UTF-8 or Windows-1252, with or without a
// byte-order mark). Throws QifError for a date or an amount that cannot be read.
QifStaging StageQif(QByteArrayView fileBytes);
// Why a file that stages no transaction is refused: an import never reports success
// for nothing (a PNG, an empty file, a file of lists only).
inline QString NoTransactionsText(const QString &file)
{
    return QStringLiteral("No transactions found in %1.").arg(file);
}

// The bytes of the file; throws TillbrookError naming the file when it cannot be read.
QByteArray ReadImportFile(const QString &path);
