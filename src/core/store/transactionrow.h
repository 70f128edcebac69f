#pragma once

#include "core/store/ttransaction.h"

#include <QHash>
#include <QUtf8StringView>

class SqlStatement;

// The one reader of a transaction row. A query that hands out transactions selects,
// first and in this order:
//   TransactionID, TransactionDate, PayeeName, PayeeId, CategoryDescription,
//   CategoryId, strNote, Amount, AccountId, LinkedTransactionID, InternalDescription,
//   OtherAccountID, CurrencyID, CurrencyRate, Status
// and may add its own columns after them. AccountDescription is left empty for the
// caller, which either knows the account or selects its name as a further column.
inline constexpr int TransactionRowColumnCount = 15;

// The transaction on the query's current row.
TTransaction ReadTransactionRow(const SqlStatement &query);

// What a listing shows of the query's current row, read without making a single
// text: the views point into the statement's row and hold only until its next step.
// A Null text is an empty view.
struct TransactionRowCells
{
    int TransactionID = 0;
    QUtf8StringView TransactionDate; // as stored, "yyyy-MM-dd"
    int PayeeId = 0;
    QUtf8StringView PayeeName;
    int CategoryId = 0;
    QUtf8StringView CategoryDescription;
    QUtf8StringView strNote;
    Money Amount;
    QUtf8StringView InternalDescription;
    QUtf8StringView Status;
};
TransactionRowCells ViewTransactionRow(const SqlStatement &query);

// Reads the rows of one query in turn. Texts that repeat from row to row are made
// once and shared by every transaction that carries them: the payee and category
// names, which the join gives for their identifiers, and the few values of the
// status and the transfer mark.
class TransactionRowReader
{
public:
    TTransaction read(const SqlStatement &query);

private:
    // A handful of short texts, compared by their stored bytes.
    class FewTexts
    {
    public:
        QString get(const SqlStatement &query, int column);

    private:
        QList<QPair<QByteArray, QString>> m_texts;
    };

    QHash<int, QString> m_payeeNames;
    QHash<int, QString> m_categoryNames;
    FewTexts m_transferMarks;
    FewTexts m_statuses;
};
