#include "core/store/transactionbatch.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/transactionstore.h"

#include <sqlite3.h>
#include <limits>

namespace {

// Rows per statement: enough to spread the cost of running a statement, few enough
// for SQLite's limit of bound values.
constexpr int RowsPerStatement = 32;
constexpr int ValuesPerRow = 13;
// The page cache while indexes are built, in KiB (SQLite counts negative sizes so):
// also the size of each sorted run of index keys, small enough for the processor's cache
// to hold the run's working part.
constexpr int SortRunKiB = -2048;
// Helper threads of SQLite's sorter while indexes are built.
constexpr int SortThreads = 2;

const char *const InsertHead =
    "INSERT INTO tbTransactions (TransactionID, CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
    " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status) VALUES ";
const char *const InsertRow = "(?,1,?,?,?,?,?,?,?,?,?,?,?,?)";

// The number the next AUTOINCREMENT row would get: past every row there is and every
// number handed out before, so a deleted row's number is never used again.
const QString NextIdSql = QStringLiteral(
    "SELECT MAX(IFNULL((SELECT seq FROM sqlite_sequence WHERE name = 'tbTransactions'), 0),"
    " IFNULL((SELECT MAX(TransactionID) FROM tbTransactions), 0)) + 1");

const QString IndexesSql = QStringLiteral(
    "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'tbTransactions' AND sql IS NOT NULL"
    " ORDER BY name");

const char Empty[] = "";

qint64 nextId(TMyDataModule &db)
{
    SqlStatement query(db, NextIdSql);
    query.exec();
    return query.next() ? query.value(0).toLongLong() : 1;
}

// yyyy-MM-dd, as the data file stores dates.
void storedDate(const QDate &date, char *out)
{
    // One conversion from the day number instead of one for each part.
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    for (int i = 3; i >= 0; --i, year /= 10)
        out[i] = char('0' + year % 10);
    out[4] = '-';
    out[5] = char('0' + month / 10);
    out[6] = char('0' + month % 10);
    out[7] = '-';
    out[8] = char('0' + day / 10);
    out[9] = char('0' + day % 10);
}

QString quotedName(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

} // namespace

TransactionBatch::TransactionBatch(TMyDataModule &db)
    : m_db(db), m_nextId(nextId(db))
{
    m_pending.reserve(RowsPerStatement);
}

TransactionBatch::~TransactionBatch()
{
    sqlite3_finalize(m_many);
    sqlite3_finalize(m_one);
}

void TransactionBatch::fail()
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db.handle())));
}

sqlite3_stmt *TransactionBatch::prepare(int rows)
{
    m_db.ensureConnected();
    QByteArray sql = InsertHead;
    for (int i = 0; i < rows; ++i) {
        if (i)
            sql += ',';
        sql += InsertRow;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(m_db.handle(), sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK)
        fail();
    return statement;
}

int TransactionBatch::takeId()
{
    if (m_nextId <= 0 || m_nextId > std::numeric_limits<int>::max())
        throw DatabaseError(QStringLiteral("The new transaction received the number %1, which is out of range.").arg(m_nextId));
    return int(m_nextId++);
}

void TransactionBatch::add(const TTransaction &record, int id, int accountId, Money amount, int linkedId,
                           int otherAccountId, int currencyId, double rate)
{
    CheckStorableDate(record.TransactionDate);
    Row row;
    row.id = id;
    storedDate(record.TransactionDate, row.date);
    row.payeeId = record.PayeeId;
    row.amount = amount.units();
    row.note = record.strNote.toUtf8();
    row.categoryId = record.CategoryId;
    row.accountId = accountId;
    row.linkedId = linkedId;
    row.transfer = record.isTransfer();
    row.otherAccountId = otherAccountId;
    row.currencyId = currencyId;
    row.rate = rate;
    // Rows of an import share a handful of statuses: converted once each.
    if (record.Status != m_statusText || m_statusBytes.isNull()) {
        m_statusText = record.Status;
        m_statusBytes = record.Status.toUtf8();
    }
    row.status = m_statusBytes;
    m_pending.push_back(std::move(row));
    if (int(m_pending.size()) == RowsPerStatement) {
        if (!m_many)
            m_many = prepare(RowsPerStatement);
        write(m_many, m_pending.data(), RowsPerStatement);
        m_pending.clear();
    }
}

void TransactionBatch::write(sqlite3_stmt *statement, const Row *rows, int count)
{
    static const QByteArray transfer = TransferDescription.toUtf8();
    auto text = [](const QByteArray &value) { return value.isEmpty() ? Empty : value.constData(); };
    sqlite3_reset(statement);
    for (int r = 0; r < count; ++r) {
        const Row &row = rows[r];
        const int p = r * ValuesPerRow;
        int rc = sqlite3_bind_int64(statement, p + 1, row.id);
        rc |= sqlite3_bind_text(statement, p + 2, row.date, 10, SQLITE_STATIC);
        rc |= sqlite3_bind_int64(statement, p + 3, row.payeeId);
        rc |= sqlite3_bind_int64(statement, p + 4, row.amount);
        rc |= sqlite3_bind_text(statement, p + 5, text(row.note), int(row.note.size()), SQLITE_STATIC);
        rc |= sqlite3_bind_int64(statement, p + 6, row.categoryId);
        rc |= sqlite3_bind_int64(statement, p + 7, row.accountId);
        rc |= sqlite3_bind_int64(statement, p + 8, row.linkedId);
        rc |= row.transfer ? sqlite3_bind_text(statement, p + 9, transfer.constData(), int(transfer.size()), SQLITE_STATIC)
                           : sqlite3_bind_text(statement, p + 9, Empty, 0, SQLITE_STATIC);
        rc |= sqlite3_bind_int64(statement, p + 10, row.otherAccountId);
        rc |= sqlite3_bind_int64(statement, p + 11, row.currencyId);
        rc |= sqlite3_bind_double(statement, p + 12, row.rate);
        rc |= sqlite3_bind_text(statement, p + 13, text(row.status), int(row.status.size()), SQLITE_STATIC);
        if (rc != SQLITE_OK)
            fail();
    }
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (result != SQLITE_DONE)
        fail();
}

void TransactionBatch::flush()
{
    if (m_pending.empty())
        return;
    if (!m_one)
        m_one = prepare(1);
    for (const Row &row : m_pending)
        write(m_one, &row, 1);
    m_pending.clear();
}

int TransactionBatch::insert(const TTransaction &record)
{
    const int id = takeId();
    add(record, id, record.AccountId, record.Amount, record.LinkedTransactionID, record.OtherAccountID,
        record.CurrencyID, record.CurrencyRate);
    return id;
}

int TransactionBatch::insertTransfer(const TTransaction &record, int otherCurrencyId, double otherRate)
{
    // Converted before anything is written: a zero rate or an amount that does not fit throws here.
    const Money partnerAmount = -record.Amount.converted(record.CurrencyRate, otherRate);
    TTransaction transfer = record;
    transfer.InternalDescription = TransferDescription;
    const int first = takeId();
    const int second = takeId();
    add(transfer, first, record.AccountId, record.Amount, second, record.OtherAccountID, record.CurrencyID,
        record.CurrencyRate);
    add(transfer, second, record.OtherAccountID, partnerAmount, first, record.AccountId, otherCurrencyId, otherRate);
    return first;
}

TransactionIndexPause::TransactionIndexPause(TMyDataModule &db) : m_db(db)
{
    QStringList names;
    {
        SqlStatement query(db, IndexesSql);
        query.exec();
        while (query.next()) {
            names.append(query.value(0).toString());
            m_definitions.append(query.value(1).toString());
        }
    }
    // Index names come from the file's own schema; a name cannot be a bound value.
    for (const QString &name : names)
        SqlStatement(db, QStringLiteral("DROP INDEX %1").arg(quotedName(name))).exec();
}

namespace {

qint64 pragmaValue(TMyDataModule &db, const QString &name)
{
    SqlStatement query(db, QStringLiteral("PRAGMA %1").arg(name));
    query.exec();
    return query.next() ? query.value(0).toLongLong() : 0;
}

// How SQLite sorts while the indexes are built. With temporary storage in memory its
// sorter keeps every key in one list of separate allocations and merges it in place,
// which misses the processor's cache at every step; with temporary files it sorts runs
// the size of the page cache and merges them from those files: about twice as fast for
// a million rows, and its memory stays bounded by that size. Two helper threads sort
// runs while the table is read (only with temporary files), another fifth off the
// time the user waits. The settings are put back afterwards; they only tune the
// connection, so a refusal leaves things as they are.
class SortingSettings
{
public:
    explicit SortingSettings(TMyDataModule &db) : m_db(db)
    {
        m_cacheSize = pragmaValue(db, QStringLiteral("cache_size"));
        m_tempStore = pragmaValue(db, QStringLiteral("temp_store"));
        m_threads = pragmaValue(db, QStringLiteral("threads"));
        trySet(QStringLiteral("temp_store = FILE"));
        trySet(QStringLiteral("cache_size = %1").arg(SortRunKiB));
        trySet(QStringLiteral("threads = %1").arg(SortThreads));
    }
    ~SortingSettings()
    {
        trySet(QStringLiteral("threads = %1").arg(m_threads));
        trySet(QStringLiteral("cache_size = %1").arg(m_cacheSize));
        trySet(QStringLiteral("temp_store = %1").arg(m_tempStore));
    }

private:
    void trySet(const QString &setting)
    {
        try {
            SqlStatement(m_db, QStringLiteral("PRAGMA ") + setting).exec();
        } catch (const TillbrookError &) {
            // SQLite refuses to change temporary storage inside a transaction once a
            // temporary table exists; the indexes are then built the slower way.
        }
    }

    TMyDataModule &m_db;
    qint64 m_cacheSize = 0;
    qint64 m_tempStore = 0;
    qint64 m_threads = 0;
};

} // namespace

void TransactionIndexPause::rebuild()
{
    {
        SortingSettings settings(m_db);
        for (const QString &definition : std::as_const(m_definitions))
            SqlStatement(m_db, definition).exec();
    }
    m_definitions.clear();
}

qint64 TransactionRowCount(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    query.exec();
    return query.next() ? query.value(0).toLongLong() : 0;
}
