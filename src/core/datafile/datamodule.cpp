#include "core/datafile/datamodule.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

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
        // Statements run on this handle through the sqlite3 API we link. That is the
        // same library the driver uses: Debian's Qt SQL plugin links the system
        // libsqlite3 (a Qt built with its own copy of SQLite would not do).
        const QVariant handle = db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3 *const *>(handle.constData());
    }
    if (!m_handle) {
        close();
        throw DatabaseError(QStringLiteral("The database driver gave no SQLite handle."));
    }
    try {
        Schema::validate(*this);
        Schema::upgrade(*this);
        // SQLite's default page cache (2 MB) spills to disk inside long transactions once
        // the indexes of a large file outgrow it; 64 MB keeps bulk writes and the balance
        // sums in memory. It is only taken as pages are read.
        execControl(QStringLiteral("PRAGMA cache_size = -65536"));
        // Statement journals of INSERT ... SELECT inside a long transaction would otherwise
        // go to temporary files: a dozen writes for every row inserted.
        execControl(QStringLiteral("PRAGMA temp_store = MEMORY"));
    } catch (...) {
        close();
        throw;
    }
}

void TMyDataModule::close()
{
    // Statements are finalized before the connection closes; one still borrowed
    // (an error unwinding through it) is finalized when it is handed back.
    m_cache.clear();
    m_handle = nullptr;
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
    if (isConnected())
        return;
    if (m_heldClosed)
        throw TillbrookError(QStringLiteral("The data file is closed for a backup, a restore or an optimisation; "
                                            "nothing can be read or written until that work is over."));
    connect();
}

TMyDataModule::HoldClosed::HoldClosed(TMyDataModule &db) : m_db(db), m_wasHeld(db.m_heldClosed)
{
    m_db.close();
    m_db.m_heldClosed = true;
}

TMyDataModule::HoldClosed::~HoldClosed()
{
    m_db.m_heldClosed = m_wasHeld;
}

TMyDataModule::PreparedStatement::~PreparedStatement()
{
    sqlite3_finalize(statement);
}

std::shared_ptr<TMyDataModule::PreparedStatement> TMyDataModule::acquireStatement(const QString &sql)
{
    ensureConnected();
    std::shared_ptr<PreparedStatement> &slot = m_cache[sql];
    if (slot && !slot->inUse) {
        slot->inUse = true;
        return slot;
    }
    auto fresh = std::make_shared<PreparedStatement>();
    if (sqlite3_prepare16_v2(m_handle, sql.constData(), int(sql.size() * sizeof(char16_t)), &fresh->statement,
                             nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_handle));
        if (!slot)
            m_cache.remove(sql);
        throw DatabaseError(message);
    }
    const int count = sqlite3_bind_parameter_count(fresh->statement);
    for (int i = 1; i <= count; ++i)
        fresh->parameters << QString::fromUtf8(sqlite3_bind_parameter_name(fresh->statement, i));
    fresh->inUse = true;
    if (!slot)
        slot = fresh;
    return fresh;
}

void TMyDataModule::releaseStatement(PreparedStatement &statement)
{
    sqlite3_reset(statement.statement);
    statement.inUse = false;
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
    for (const auto &statement : std::as_const(m_cache))
        if (!statement->inUse)
            sqlite3_reset(statement->statement);
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
