#pragma once

#include "core/base/money.h"
#include "core/datafile/datamodule.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

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

    // Names are the statement's placeholders with their colon (":AccountId"); a name
    // the statement does not use is ignored. A null QString binds SQL Null.
    SqlStatement &bind(const QString &name, const QVariant &value);
    SqlStatement &bind(const QString &name, int value);
    SqlStatement &bind(const QString &name, qint64 value);
    SqlStatement &bind(const QString &name, double value);
    SqlStatement &bind(const QString &name, const QString &value);
    SqlStatement &bind(const QString &name, const char *value) { return bind(name, QString::fromUtf8(value)); }
    SqlStatement &bind(const QString &name, Money value) { return bind(name, value.units()); }
    SqlStatement &bind(const QString &name, const QDate &value);
    // Binds SQL Null.
    SqlStatement &bindNull(const QString &name);

    SqlStatement &exec();
    bool next();

    // Columns of the current row: INTEGER as qlonglong, REAL as double, TEXT as
    // QString, Null as an invalid QVariant (reads as 0 or the empty text).
    QVariant value(int column) const;
    QVariant value(const QString &column) const;
    // The same by position without a QVariant, for loops over many rows. A value of
    // another type is converted as SQLite converts it (Null reads as 0 or a null text).
    qint64 int64At(int column) const;
    int intAt(int column) const { return int(int64At(column)); }
    double realAt(int column) const;
    QString textAt(int column) const;
    QDate dateAt(int column) const;
    // A value's UTF-8 text without a copy, valid until the next step; no data for Null.
    QUtf8StringView utf8At(int column) const;
    bool isNull(const QString &column) const { return value(column).isNull(); }
    int intValue(const QString &column) const { return value(column).toInt(); }
    qint64 int64Value(const QString &column) const { return value(column).toLongLong(); }
    double realValue(const QString &column) const { return value(column).toDouble(); }
    QString textValue(const QString &column) const { return value(column).toString(); }
    Money moneyValue(const QString &column) const { return Money::fromUnits(int64Value(column)); }
    QDate dateValue(const QString &column) const;
    bool boolValue(const QString &column) const { return value(column).toInt() != 0; }

    qint64 lastInsertId() const;
    int rowsAffected() const;

private:
    int indexOf(const QString &name);
    void check(int result) const;
    [[noreturn]] void fail() const;

    TMyDataModule &m_db;
    std::shared_ptr<TMyDataModule::PreparedStatement> m_prepared;
    sqlite3_stmt *m_statement;
    // exec() has stepped onto the first row, which next() hands out first.
    bool m_rowPending = false;
    bool m_done = true;
    bool m_stepped = false;
    int m_nextParameter = 0;
};
