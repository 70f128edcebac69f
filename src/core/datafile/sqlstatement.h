#pragma once

#include "data/money.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

class TMyDataModule;

// One statement on the data module's connection. Values are always bound, never
// spliced into the text. Prepared statements are borrowed from the module's cache
// and handed back when this object goes away. Every failure throws DatabaseError.
class SqlStatement
{
public:
    SqlStatement(TMyDataModule &db, const QString &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    SqlStatement &bind(const QString &name, const QVariant &value);
    SqlStatement &bind(const QString &name, int value) { return bind(name, QVariant(value)); }
    SqlStatement &bind(const QString &name, qint64 value) { return bind(name, QVariant(value)); }
    SqlStatement &bind(const QString &name, double value) { return bind(name, QVariant(value)); }
    SqlStatement &bind(const QString &name, const QString &value) { return bind(name, QVariant(value)); }
    SqlStatement &bind(const QString &name, const char *value) { return bind(name, QString::fromUtf8(value)); }
    SqlStatement &bind(const QString &name, Money value) { return bind(name, QVariant(value.units())); }
    SqlStatement &bind(const QString &name, const QDate &value);
    // Binds SQL Null.
    SqlStatement &bindNull(const QString &name);

    SqlStatement &exec();
    bool next();

    QVariant value(int column) const;
    QVariant value(const QString &column) const;
    bool isNull(const QString &column) const { return value(column).isNull(); }
    int intValue(const QString &column) const { return value(column).toInt(); }
    qint64 int64Value(const QString &column) const { return value(column).toLongLong(); }
    double realValue(const QString &column) const { return value(column).toDouble(); }
    QString textValue(const QString &column) const { return value(column).toString(); }
    Money moneyValue(const QString &column) const { return Money::fromUnits(int64Value(column)); }
    QDate dateValue(const QString &column) const;
    bool boolValue(const QString &column) const { return value(column).toInt() != 0; }

    qint64 lastInsertId() const;
    int rowsAffected() const { return m_query.numRowsAffected(); }

private:
    [[noreturn]] void fail(const QString &what) const;

    TMyDataModule &m_db;
    QString m_sql;
    // Before m_query: takeStatement() sets it while m_query is built, and a later
    // default initialiser would wipe it, so no statement ever went back to the cache.
    quint64 m_generation = 0;
    QSqlQuery m_query;
};
