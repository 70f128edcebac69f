#pragma once

#include <QByteArrayView>
#include <array>
#include <functional>

// The Quicken Interchange Format as lines of bytes: records of coded lines ended by
// "^", under "!" headers that say what the records are. This layer only splits the
// file; what a record means is decided by the stager.

// The codes a transaction record may carry. Lines with any other code are ignored.
enum class QifField {
    Date,           // "D"
    Amount,         // "T"
    Cleared,        // "C"
    Number,         // "N"
    Payee,          // "P"
    Memo,           // "M"
    Address,        // "A"
    Category,       // "L": a category, or an account name in square brackets
    SplitCategory,  // "S"
    SplitMemo,      // "E"
    SplitAmount,    // "$"
};
inline constexpr int QifFieldCount = 11;

// What the records under the latest header are.
enum class QifSection {
    None,            // before any header
    Bank,            // "!Type:Bank"
    Cash,            // "!Type:Cash"
    CreditCard,      // "!Type:CCard"
    OtherAsset,      // "!Type:Oth A"
    OtherLiability,  // "!Type:Oth L"
    Investment,      // "!Type:Invst"
    AccountList,     // "!Account": records naming an account (N name, T type, D description)
    OtherList,       // any other header: categories, classes, memorised transactions, ...
};

struct QifRecord
{
    QifSection section = QifSection::None;
    // Counts the headers met so far, so two sections of the same kind tell apart.
    int sectionNumber = 0;
    // Each code's value with blanks around it removed; a line with the code and nothing
    // after it gives "*". When a record repeats a code, the last line counts.
    std::array<QByteArrayView, QifFieldCount> values;
    // The line each value came from, counted from 1; 0 when the record lacks the code.
    std::array<int, QifFieldCount> lines{};
    int firstLine = 0;

    bool has(QifField field) const { return lines[int(field)] != 0; }
    QByteArrayView value(QifField field) const { return values[int(field)]; }
    int line(QifField field) const { return lines[int(field)]; }
};

// Splits the bytes (LF or CRLF line ends, a byte-order mark already removed) into
// records and hands each to onRecord in file order. A record ends at a line that is
// "^", at a header line, or at the end of the file; records without any coded line are
// not handed on. The views point into bytes.
void ReadQifRecords(QByteArrayView bytes, const std::function<void(const QifRecord &)> &onRecord);
