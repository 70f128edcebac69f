#include "core/maintenance/sqlitefile.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"

#include <QFile>

#include <sqlite3.h>

namespace {

[[noreturn]] void fail(sqlite3 *db)
{
    throw DatabaseError(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("Out of memory."));
}

// A prepared statement that finalizes itself.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql, const QStringList &values) : m_db(db)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK)
            fail(db);
        for (int i = 0; i < values.size(); ++i) {
            const QByteArray value = values[i].toUtf8();
            if (sqlite3_bind_text(m_statement, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT)
                != SQLITE_OK)
                fail(db);
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool step()
    {
        const int result = sqlite3_step(m_statement);
        if (result == SQLITE_ROW)
            return true;
        if (result != SQLITE_DONE)
            fail(m_db);
        return false;
    }
    QString text(int column) const
    {
        const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return value ? QString::fromUtf8(value) : QString();
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace

SqliteFile::SqliteFile(const QString &path, Mode mode)
{
    const int flags = (mode == ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("Out of memory.");
        close();
        throw DatabaseError(message);
    }
    // The integrity check looks every row up in each index: with SQLite's default
    // 2 MB cache it rereads a large file many times over (three times slower). The
    // cache is only taken as pages are read.
    exec(QStringLiteral("PRAGMA cache_size = -131072"));
}

SqliteFile::~SqliteFile()
{
    close();
}

void SqliteFile::interrupt()
{
    if (m_db)
        sqlite3_interrupt(m_db);
}

void SqliteFile::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteFile::exec(const QString &sql, const QStringList &values)
{
    Statement statement(m_db, sql, values);
    while (statement.step()) {
    }
}

QStringList SqliteFile::firstColumn(const QString &sql, const QStringList &values)
{
    Statement statement(m_db, sql, values);
    QStringList rows;
    while (statement.step())
        rows << statement.text(0);
    return rows;
}

QString SqliteFile::soundnessProblem(Depth depth)
{
    // Cheap and telling first: a file of another kind fails here without a full scan.
    const auto &required = Schema::requiredColumns();
    for (auto it = required.begin(); it != required.end(); ++it) {
        const QStringList present =
            firstColumn(QStringLiteral("SELECT name FROM pragma_table_info(?1)"), {it.key()});
        if (present.isEmpty())
            return QStringLiteral("This is not a Tillbrook data file: it has no table %1.").arg(it.key());
        for (const QString &column : it.value())
            if (!present.contains(column, Qt::CaseInsensitive))
                return QStringLiteral("This is not a Tillbrook data file: the table %1 has no column %2.")
                    .arg(it.key(), column);
    }
    const QStringList integrity = firstColumn(depth == Depth::Full ? QStringLiteral("PRAGMA integrity_check")
                                                                   : QStringLiteral("PRAGMA quick_check"));
    if (integrity != QStringList{QStringLiteral("ok")})
        return QStringLiteral("The data file is damaged: %1").arg(integrity.value(0));
    return QString();
}

QList<qint64> SqliteFile::tableRowCounts()
{
    // Whole statements, one a table of the data file: a table name cannot be bound, and
    // no statement text is ever put together from pieces.
    static const char *const Counts[] = {
        "SELECT count(*) FROM MySettings",  "SELECT count(*) FROM tbAccount",
        "SELECT count(*) FROM tbCategory",  "SELECT count(*) FROM tbCurrency",
        "SELECT count(*) FROM tbPayee",     "SELECT count(*) FROM tbTransactions",
    };
    QList<qint64> counts;
    for (const char *sql : Counts)
        counts.append(firstColumn(QLatin1String(sql)).value(0).toLongLong());
    return counts;
}

QString DataFileSoundnessProblem(const QString &path, SqliteFile::Depth depth)
{
    try {
        SqliteFile file(path, SqliteFile::ReadOnly);
        return file.soundnessProblem(depth);
    } catch (const TillbrookError &error) {
        return error.message();
    }
}
