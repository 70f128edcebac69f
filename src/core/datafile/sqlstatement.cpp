#include "sqlstatement.h"

#include "data/texthelpers.h"
#include "data/tillbrookerror.h"
#include "datamodule.h"

#include <QSqlError>
#include <QSqlRecord>

SqlStatement::SqlStatement(TMyDataModule &db, const QString &sql)
    : m_statement(db.acquireStatement(sql)), m_query(m_statement->query)
{
}

SqlStatement::~SqlStatement()
{
    TMyDataModule::releaseStatement(*m_statement);
}

SqlStatement &SqlStatement::bind(const QString &name, const QVariant &value)
{
    m_query.bindValue(name, value);
    return *this;
}

SqlStatement &SqlStatement::bind(const QString &name, const QDate &value)
{
    return bind(name, value.isValid() ? QVariant(ToStoredDate(value)) : QVariant(QMetaType(QMetaType::QString)));
}

SqlStatement &SqlStatement::bindNull(const QString &name)
{
    m_query.bindValue(name, QVariant(QMetaType(QMetaType::QString)));
    return *this;
}

SqlStatement &SqlStatement::exec()
{
    if (!m_query.exec())
        fail(m_query.lastError().text());
    return *this;
}

bool SqlStatement::next()
{
    if (m_query.next())
        return true;
    if (m_query.lastError().isValid())
        fail(m_query.lastError().text());
    return false;
}

QVariant SqlStatement::value(int column) const
{
    return m_query.value(column);
}

QVariant SqlStatement::value(const QString &column) const
{
    const int index = m_query.record().indexOf(column);
    if (index < 0)
        fail(QStringLiteral("No column %1 in the result.").arg(column));
    return m_query.value(index);
}

QDate SqlStatement::dateValue(const QString &column) const
{
    return FromStoredDate(textValue(column));
}

qint64 SqlStatement::lastInsertId() const
{
    return m_query.lastInsertId().toLongLong();
}

void SqlStatement::fail(const QString &what) const
{
    throw DatabaseError(what.trimmed());
}
