#include "core/exchange/qifimport.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/items.h"
#include "core/store/lookups.h"
#include "core/store/transactionbatch.h"

#include <QHash>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int Unresolved = std::numeric_limits<int>::min();
// Rows between two progress reports.
constexpr qsizetype ProgressStep = 4096;
// Pages SQLite may keep while a large import runs (in KiB, as the pragma counts
// negative sizes): the secondary indexes are updated all over, and a small cache
// writes the same pages out again and again.
const QString LargeCacheSql = QStringLiteral("PRAGMA cache_size = -131072");
const QString ReadCacheSql = QStringLiteral("PRAGMA cache_size");

// Names compare as the data file compares them (NOCASE folds ASCII letters only).
QString foldedName(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

struct Stamp
{
    int accountId = -1;
    int currencyId = 1;
    double rate = 1.0;
};

// The identifiers of one item table, read once and extended as the import creates items.
class ItemIds
{
public:
    ItemIds(TMyDataModule &db, Notifier &notifier, QString table, QString idColumn, QString nameColumn,
            const QString &listSql)
        : m_db(db), m_notifier(notifier), m_table(std::move(table)), m_idColumn(std::move(idColumn)),
          m_nameColumn(std::move(nameColumn))
    {
        SqlStatement query(db, listSql);
        query.exec();
        while (query.next()) {
            const QString name = query.value(1).toString();
            if (!name.isEmpty())
                m_ids.insert(foldedName(name), query.value(0).toInt()); // the first row of a name wins
        }
    }

    // The identifier of the name, creating the item when the data file has none.
    int idOf(const QString &name, bool isExpense)
    {
        if (name.isEmpty())
            return LookupId(m_db, m_table, m_idColumn, m_nameColumn, QString());
        const QString key = foldedName(name);
        const auto it = m_ids.constFind(key);
        if (it != m_ids.constEnd())
            return *it;
        InsertItem(m_db, m_notifier, m_table, m_nameColumn, name, QString(), Money(), isExpense);
        const int id = LookupId(m_db, m_table, m_idColumn, m_nameColumn, name);
        m_ids.insert(key, id);
        return id;
    }

private:
    TMyDataModule &m_db;
    Notifier &m_notifier;
    QString m_table;
    QString m_idColumn;
    QString m_nameColumn;
    QHash<QString, int> m_ids;
};

// Restores the connection's page cache after the import, whatever happens.
class LargeCache
{
public:
    explicit LargeCache(TMyDataModule &db) : m_db(db)
    {
        SqlStatement read(db, ReadCacheSql);
        read.exec();
        m_previous = read.next() ? read.value(0).toLongLong() : -2000;
        SqlStatement(db, LargeCacheSql).exec();
    }
    ~LargeCache()
    {
        try {
            SqlStatement(m_db, QStringLiteral("PRAGMA cache_size = %1").arg(m_previous)).exec();
        } catch (const TillbrookError &) {
            // The cache size is only a tuning; a connection that failed keeps the large one.
        }
    }

private:
    TMyDataModule &m_db;
    qint64 m_previous = -2000;
};

class QifImportRun
{
public:
    QifImportRun(TMyDataModule &db, Notifier &notifier, const QifStaging &staging, const ImportLinks &links)
        : m_db(db), m_staging(staging),
          m_payees(db, notifier, QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), QStringLiteral("PayeeName"),
                   QStringLiteral("SELECT PayeeId, PayeeName FROM tbPayee ORDER BY PayeeId")),
          m_categories(db, notifier, QStringLiteral("tbCategory"), QStringLiteral("CategoryId"),
                       QStringLiteral("CategoryDescription"),
                       QStringLiteral("SELECT CategoryId, CategoryDescription FROM tbCategory ORDER BY CategoryId")),
          m_payeeIds(size_t(staging.names.size()), Unresolved),
          m_categoryIds(size_t(staging.names.size()), Unresolved),
          m_batch(db)
    {
        for (const QString &reference : staging.references)
            m_accounts.push_back(stampOf(reference, links.LinkedAccount(reference)));
    }

    // Stores one staged row, creating its payee and category when they are new.
    void ImportTransaction(const QifStagedRow &row)
    {
        const bool isExpense = row.amount < Money();
        const Stamp &own = m_accounts.at(size_t(row.account));
        TTransaction t;
        t.TransactionDate = row.date;
        t.PayeeName = m_staging.names.at(row.payee);
        t.PayeeId = itemId(m_payeeIds, m_payees, row.payee, isExpense);
        t.CategoryDescription = m_staging.names.at(row.category);
        t.CategoryId = itemId(m_categoryIds, m_categories, row.category, isExpense);
        t.strNote = row.note;
        t.Amount = row.amount;
        t.AccountId = own.accountId;
        t.CurrencyID = own.currencyId;
        t.CurrencyRate = own.rate;
        t.Status = ImportedStatus(row);
        if (!row.isTransfer()) {
            t.OtherAccountID = -1;
            m_batch.insert(t);
            return;
        }
        const Stamp &other = m_accounts.at(size_t(row.otherAccount));
        t.OtherAccountID = other.accountId;
        m_batch.insertTransfer(t, other.currencyId, other.rate);
    }

    // Writes what the batch still holds.
    void finish() { m_batch.flush(); }

private:
    Stamp stampOf(const QString &reference, const QString &account)
    {
        if (account.isEmpty())
            throw TillbrookError(QStringLiteral("The account %1 of the import file is not linked to an account.").arg(reference));
        Stamp stamp;
        stamp.accountId = LookupId(m_db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                                   QStringLiteral("AccountDescription"), account);
        if (stamp.accountId < 0)
            throw TillbrookError(QStringLiteral("There is no account named \"%1\" (linked to %2).").arg(account, reference));
        stamp.currencyId = GetAccountCurrencyId(m_db, stamp.accountId);
        stamp.rate = GetAccountCurrencyRate(m_db, stamp.accountId);
        return stamp;
    }

    int itemId(std::vector<int> &ids, ItemIds &items, int index, bool isExpense)
    {
        int &id = ids[size_t(index)];
        if (id == Unresolved)
            id = items.idOf(m_staging.names.at(index), isExpense);
        return id;
    }

    TMyDataModule &m_db;
    const QifStaging &m_staging;
    ItemIds m_payees;
    ItemIds m_categories;
    std::vector<int> m_payeeIds;
    std::vector<int> m_categoryIds;
    std::vector<Stamp> m_accounts;
    TransactionBatch m_batch;
};

} // namespace

QString ImportedStatus(const QifStagedRow &row)
{
    switch (row.status) {
    case StagedStatus::Reconciled:
        return QStringLiteral("Reconciled");
    case StagedStatus::Cleared:
        return QStringLiteral("Cleared");
    case StagedStatus::Unset:
        break;
    }
    return QStringLiteral(" ");
}

QifImportTotals ImportQifStaging(TMyDataModule &db, Notifier &notifier, const QifStaging &staging,
                                 const ImportLinks &links, ImportMode mode, const ImportProgress &progress)
{
    if (!links.AllLinksSet())
        throw TillbrookError(QStringLiteral("Please specify all account links"));
    QifImportTotals totals;
    const qsizetype total = qsizetype(staging.rows.size());
    WorkGuard work(db);
    {
        LargeCache cache(db);
        std::optional<TransactionIndexPause> indexes;
        const qsizetype rowsToWrite = total + staging.transferCount;
        if (rowsToWrite >= IndexRebuildThreshold && TransactionRowCount(db) < rowsToWrite)
            indexes.emplace(db);
        QifImportRun run(db, notifier, staging, links);
        for (qsizetype i = 0; i < total; ++i) {
            const QifStagedRow &row = staging.rows[size_t(i)];
            run.ImportTransaction(row);
            ++totals.transactions;
            if (row.isTransfer())
                ++totals.transfers;
            if (progress && (i + 1) % ProgressStep == 0)
                progress(i + 1, total);
        }
        run.finish();
        if (indexes)
            indexes->rebuild();
    }
    if (progress)
        progress(total, total);
    if (mode == ImportMode::Store)
        work.commit();
    return totals;
}

QStringList ImportAccountChoices(TMyDataModule &db)
{
    return ItemNames(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"));
}
