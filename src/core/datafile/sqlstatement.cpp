#include "core/datafile/sqlstatement.h"

#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(TMyDataModule &db, const QString &sql)
    : m_db(db), m_prepared(db.acquireStatement(sql)), m_statement(m_prepared->statement)
{
}

SqlStatement::~SqlStatement()
{
    TMyDataModule::releaseStatement(*m_prepared);
}

int SqlStatement::indexOf(const QString &name)
{
    // Binding again after a run (the same statement executed with new values) needs
    // the statement reset first; the earlier values stay bound until replaced.
    if (m_stepped) {
        sqlite3_reset(m_statement);
        m_stepped = false;
        m_rowPending = false;
        m_done = true;
    }
    // Values are mostly bound in the order of their placeholders: look from the one
    // after the last found.
    const QStringList &parameters = m_prepared->parameters;
    const int count = int(parameters.size());
    for (int n = 0; n < count; ++n) {
        const int i = (m_nextParameter + n) % count;
        if (parameters[i] == name) {
            m_nextParameter = i + 1;
            return i + 1;
        }
    }
    return 0;
}

void SqlStatement::check(int result) const
{
    if (result != SQLITE_OK)
        fail();
}

SqlStatement &SqlStatement::bind(const QString &name, int value)
{
    if (const int i = indexOf(name))
        check(sqlite3_bind_int64(m_statement, i, value));
    return *this;
}

SqlStatement &SqlStatement::bind(const QString &name, qint64 value)
{
    if (const int i = indexOf(name))
        check(sqlite3_bind_int64(m_statement, i, value));
    return *this;
}

SqlStatement &SqlStatement::bind(const QString &name, double value)
{
    if (const int i = indexOf(name))
        check(sqlite3_bind_double(m_statement, i, value));
    return *this;
}

SqlStatement &SqlStatement::bind(const QString &name, const QString &value)
{
    if (const int i = indexOf(name)) {
        if (value.isNull())
            check(sqlite3_bind_null(m_statement, i));
        else
            check(sqlite3_bind_text16(m_statement, i, value.constData(), int(value.size() * sizeof(char16_t)),
                                      SQLITE_TRANSIENT));
    }
    return *this;
}

SqlStatement &SqlStatement::bind(const QString &name, const QVariant &value)
{
    if (value.isNull())
        return bindNull(name);
    switch (value.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
        return bind(name, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(name, value.toDouble());
    case QMetaType::QDate:
        return bind(name, value.toDate());
    default:
        return bind(name, value.toString());
    }
}

SqlStatement &SqlStatement::bind(const QString &name, const QDate &value)
{
    return value.isValid() ? bind(name, ToStoredDate(value)) : bindNull(name);
}

SqlStatement &SqlStatement::bindNull(const QString &name)
{
    if (const int i = indexOf(name))
        check(sqlite3_bind_null(m_statement, i));
    return *this;
}

SqlStatement &SqlStatement::exec()
{
    sqlite3_reset(m_statement);
    m_stepped = true;
    const int result = sqlite3_step(m_statement);
    m_rowPending = result == SQLITE_ROW;
    m_done = result == SQLITE_DONE;
    if (!m_rowPending && !m_done)
        fail();
    return *this;
}

bool SqlStatement::next()
{
    if (m_rowPending) {
        m_rowPending = false;
        return true;
    }
    if (m_done)
        return false;
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    m_done = true;
    if (result != SQLITE_DONE)
        fail();
    return false;
}

QVariant SqlStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, column));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto *text = static_cast<const char16_t *>(sqlite3_column_text16(m_statement, column));
        const int bytes = sqlite3_column_bytes16(m_statement, column);
        return QVariant(QString::fromUtf16(text, bytes / int(sizeof(char16_t))));
    }
    }
}

qint64 SqlStatement::int64At(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqlStatement::realAt(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString SqlStatement::textAt(int column) const
{
    const QUtf8StringView text = utf8At(column);
    return text.data() ? text.toString() : QString();
}

QUtf8StringView SqlStatement::utf8At(int column) const
{
    // The file's own encoding is UTF-8: read it as it is stored.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    if (!text)
        return {};
    return QUtf8StringView(text, sqlite3_column_bytes(m_statement, column));
}

QDate SqlStatement::dateAt(int column) const
{
    return FromStoredDate(utf8At(column));
}

QVariant SqlStatement::value(const QString &column) const
{
    for (int i = 0, n = sqlite3_column_count(m_statement); i < n; ++i) {
        const auto *name = static_cast<const char16_t *>(sqlite3_column_name16(m_statement, i));
        if (QString::fromUtf16(name).compare(column, Qt::CaseInsensitive) == 0)
            return value(i);
    }
    throw DatabaseError(QStringLiteral("No column %1 in the result.").arg(column));
}

QDate SqlStatement::dateValue(const QString &column) const
{
    return FromStoredDate(textValue(column));
}

qint64 SqlStatement::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db.handle());
}

int SqlStatement::rowsAffected() const
{
    return sqlite3_changes(m_db.handle());
}

void SqlStatement::fail() const
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db.handle()));
    // Leave the statement ready for its next use, also after an error.
    sqlite3_reset(m_statement);
    throw DatabaseError(message);
}
