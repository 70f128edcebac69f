#include "core/store/transactionrow.h"

#include "core/base/texthelpers.h"
#include "core/datafile/sqlstatement.h"

namespace {

// Positions of the columns every transaction query selects first.
enum Column {
    ColId, ColDate, ColPayeeName, ColPayeeId, ColCategoryName, ColCategoryId, ColNote,
    ColAmount, ColAccountId, ColLinkedId, ColTransferMark, ColOtherAccountId, ColCurrencyId,
    ColCurrencyRate, ColStatus
};
static_assert(ColStatus + 1 == TransactionRowColumnCount);

// Every column but the payee and category names, the transfer mark and the status.
TTransaction readUnsharedColumns(const SqlStatement &query)
{
    // Read by position: the register reads thousands of rows per load.
    TTransaction t;
    t.TransactionID = query.intAt(ColId);
    t.TransactionDate = query.dateAt(ColDate);
    t.PayeeId = query.intAt(ColPayeeId);
    t.CategoryId = query.intAt(ColCategoryId);
    t.strNote = query.textAt(ColNote);
    t.Amount = Money::fromUnits(query.int64At(ColAmount));
    t.AccountId = query.intAt(ColAccountId);
    t.LinkedTransactionID = query.intAt(ColLinkedId);
    t.OtherAccountID = query.intAt(ColOtherAccountId);
    t.CurrencyID = query.intAt(ColCurrencyId);
    t.CurrencyRate = query.realAt(ColCurrencyRate);
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
    t.PayeeName = query.textAt(ColPayeeName);
    t.CategoryDescription = query.textAt(ColCategoryName);
    t.InternalDescription = query.textAt(ColTransferMark);
    t.Status = query.textAt(ColStatus);
    return t;
}

TransactionRowCells ViewTransactionRow(const SqlStatement &query)
{
    TransactionRowCells row;
    row.TransactionID = query.intAt(ColId);
    row.TransactionDate = query.utf8At(ColDate);
    row.PayeeId = query.intAt(ColPayeeId);
    row.PayeeName = query.utf8At(ColPayeeName);
    row.CategoryId = query.intAt(ColCategoryId);
    row.CategoryDescription = query.utf8At(ColCategoryName);
    row.strNote = query.utf8At(ColNote);
    row.Amount = Money::fromUnits(query.int64At(ColAmount));
    row.InternalDescription = query.utf8At(ColTransferMark);
    row.Status = query.utf8At(ColStatus);
    return row;
}

TTransaction TransactionRowReader::read(const SqlStatement &query)
{
    TTransaction t = readUnsharedColumns(query);
    t.PayeeName = sharedName(m_payeeNames, t.PayeeId, query, ColPayeeName);
    t.CategoryDescription = sharedName(m_categoryNames, t.CategoryId, query, ColCategoryName);
    t.InternalDescription = m_transferMarks.get(query, ColTransferMark);
    t.Status = m_statuses.get(query, ColStatus);
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
