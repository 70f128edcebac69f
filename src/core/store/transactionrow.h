#pragma once

#include "core/store/ttransaction.h"

#include <QHash>

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
