#include "core/store/transactionrow.h"

#include "core/base/texthelpers.h"
#include "core/datafile/sqlstatement.h"

namespace {

// Every column but the payee and category names, the transfer mark and the status.
TTransaction readUnsharedColumns(const SqlStatement &query)
{
    // Read by position: the register reads thousands of rows per load.
    TTransaction t;
    t.TransactionID = query.intAt(0);
    t.TransactionDate = query.dateAt(1);
    t.PayeeId = query.intAt(3);
    t.CategoryId = query.intAt(5);
    t.strNote = query.textAt(6);
    t.Amount = Money::fromUnits(query.int64At(7));
    t.AccountId = query.intAt(8);
    t.LinkedTransactionID = query.intAt(9);
    t.OtherAccountID = query.intAt(11);
    t.CurrencyID = query.intAt(12);
    t.CurrencyRate = query.realAt(13);
    return t;
}

const QString &sharedName(QHash<int, QString> &names, int id, const SqlStatement &query, int column)
{
    auto it = names.find(id);
    if (it == names.end())
        it = names.insert(id, query.textAt(column));
    return *it;
}

} // namespace

TTransaction ReadTransactionRow(const SqlStatement &query)
{
    TTransaction t = readUnsharedColumns(query);
    t.PayeeName = query.textAt(2);
    t.CategoryDescription = query.textAt(4);
    t.InternalDescription = query.textAt(10);
    t.Status = query.textAt(14);
    return t;
}

TTransaction TransactionRowReader::read(const SqlStatement &query)
{
    TTransaction t = readUnsharedColumns(query);
    t.PayeeName = sharedName(m_payeeNames, t.PayeeId, query, 2);
    t.CategoryDescription = sharedName(m_categoryNames, t.CategoryId, query, 4);
    t.InternalDescription = m_transferMarks.get(query, 10);
    t.Status = m_statuses.get(query, 14);
    return t;
}

QString TransactionRowReader::FewTexts::get(const SqlStatement &query, int column)
{
    constexpr qsizetype MaxTexts = 8;
    const QUtf8StringView bytes = query.utf8At(column);
    if (bytes.isEmpty())
        return query.textAt(column); // Null, empty or another type: as the plain reader does
    for (const auto &[stored, text] : std::as_const(m_texts)) {
        if (QByteArrayView(stored) == QByteArrayView(bytes.data(), bytes.size()))
            return text;
    }
    QString text = bytes.toString();
    if (m_texts.size() < MaxTexts)
        m_texts.append({QByteArray(bytes.data(), bytes.size()), text});
    return text;
}
