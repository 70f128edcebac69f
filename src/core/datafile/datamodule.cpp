#include "datamodule.h"

#include "data/tillbrookerror.h"
#include "schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

QString uniqueConnectionName()
{
    static int counter = 0;
    return QStringLiteral("tillbrook-data-%1").arg(++counter);
}

} // namespace

TMyDataModule::TMyDataModule()
    : m_connectionName(uniqueConnectionName())
{
}

TMyDataModule::~TMyDataModule()
{
    close();
}

void TMyDataModule::open(const QString &path)
{
    setDataSource(path);
    connect();
}

void TMyDataModule::connect()
{
    close();
    if (m_dataSource.isEmpty())
        throw DatabaseError(QStringLiteral("No data file has been named."));
    if (!QFileInfo(m_dataSource).isFile())
        throw DatabaseError(QStringLiteral("Could not find file '%1'.").arg(m_dataSource));
    if (!m_lock.tryLock(m_dataSource))
        throw DatabaseError(QStringLiteral("The file '%1' is in use by another program or cannot be written.")
                                .arg(m_dataSource));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(m_dataSource);
        if (!db.open()) {
            const QString message = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            m_lock.release();
            throw DatabaseError(message);
        }
    }
    try {
        Schema::validate(*this);
        // SQLite's default page cache (2 MB) spills to disk inside long transactions once
        // the indexes of a large file outgrow it; 64 MB keeps bulk writes and the balance
        // sums in memory. It is only taken as pages are read.
        execControl(QStringLiteral("PRAGMA cache_size = -65536"));
    } catch (...) {
        close();
        throw;
    }
}

void TMyDataModule::close()
{
    m_cache.clear();
    ++m_generation;
    m_depth = 0;
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    // Only after SQLite has let go of the file: closing our descriptor earlier would
    // drop SQLite's own record locks on it.
    m_lock.release();
}

bool TMyDataModule::isConnected() const
{
    return QSqlDatabase::contains(m_connectionName)
           && QSqlDatabase::database(m_connectionName, false).isOpen();
}

void TMyDataModule::ensureConnected()
{
    if (!isConnected())
        connect();
}

QSqlQuery TMyDataModule::takeStatement(const QString &sql, quint64 &generation)
{
    ensureConnected();
    generation = m_generation;
    if (auto it = m_cache.find(sql); it != m_cache.end()) {
        QSqlQuery query = std::move(it.value());
        m_cache.erase(it);
        return query;
    }
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(query.lastError().text());
    return query;
}

void TMyDataModule::returnStatement(const QString &sql, QSqlQuery &&query, quint64 generation)
{
    query.finish();
    // A statement of an earlier connection, or a second copy of one in the cache, is dropped.
    if (generation == m_generation && !m_cache.contains(sql))
        m_cache.insert(sql, std::move(query));
}

void TMyDataModule::execControl(const QString &sql)
{
    ensureConnected();
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(sql))
        throw DatabaseError(query.lastError().text());
}

int TMyDataModule::BeginWork()
{
    ensureConnected();
    if (m_depth == 0)
        execControl(QStringLiteral("BEGIN"));
    else
        execControl(QStringLiteral("SAVEPOINT work%1").arg(m_depth));
    return ++m_depth;
}

void TMyDataModule::CommitWork()
{
    if (m_depth <= 0)
        throw DatabaseError(QStringLiteral("There is no database transaction to commit."));
    if (m_depth == 1)
        execControl(QStringLiteral("COMMIT"));
    else
        execControl(QStringLiteral("RELEASE SAVEPOINT work%1").arg(m_depth - 1));
    --m_depth;
}

void TMyDataModule::RollbackWork()
{
    if (m_depth <= 0)
        return;
    // Pending reads would otherwise hold the transaction open.
    for (auto &query : m_cache)
        query.finish();
    --m_depth;
    if (m_depth == 0) {
        execControl(QStringLiteral("ROLLBACK"));
    } else {
        execControl(QStringLiteral("ROLLBACK TO SAVEPOINT work%1").arg(m_depth));
        execControl(QStringLiteral("RELEASE SAVEPOINT work%1").arg(m_depth));
    }
}

WorkGuard::~WorkGuard()
{
    if (!m_done) {
        try {
            m_db.RollbackWork();
        } catch (...) {
            // The error that brought us here is the one worth reporting.
        }
    }
}

void WorkGuard::commit()
{
    m_db.CommitWork();
    m_done = true;
}
