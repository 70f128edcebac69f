#pragma once

#include "filelock.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <memory>

// The one connection to the data file in use. Statements are SqlStatement objects
// made on it; they share prepared statements through a small cache here.
class TMyDataModule
{
public:
    TMyDataModule();
    ~TMyDataModule();
    TMyDataModule(const TMyDataModule &) = delete;
    TMyDataModule &operator=(const TMyDataModule &) = delete;

    // The file the connection opens; kept after close so a later statement reconnects it.
    void setDataSource(const QString &path) { m_dataSource = path; }
    const QString &dataSource() const { return m_dataSource; }

    // Connects to dataSource(): the file must exist, be an SQLite database and have every
    // table and column of the schema. Throws DatabaseError / DataFileFormatError and
    // leaves the connection closed and the file untouched on failure.
    void connect();
    void open(const QString &path);
    void close();
    bool isConnected() const;
    // A statement on a closed connection reconnects it with the current data source.
    void ensureConnected();

    // Database transactions. Nested calls use savepoints, so an inner failure undoes
    // only its own statements. BeginWork returns the new nesting level.
    int BeginWork();
    void CommitWork();
    void RollbackWork();
    bool InTransaction() const { return m_depth > 0; }

    QString connectionName() const { return m_connectionName; }

private:
    friend class SqlStatement;
    struct PreparedStatement
    {
        QSqlQuery query;
        bool inUse = false;
    };
    // The cached statement for this text, or a fresh one while the cached one is busy
    // (a statement run again inside a loop over its own results).
    std::shared_ptr<PreparedStatement> acquireStatement(const QString &sql);
    static void releaseStatement(PreparedStatement &statement);
    void execControl(const QString &sql);

    QString m_connectionName;
    QString m_dataSource;
    FileLock m_lock;
    QHash<QString, std::shared_ptr<PreparedStatement>> m_cache;
    int m_depth = 0;
};

// RAII helper: begins work, rolls back unless committed.
class WorkGuard
{
public:
    explicit WorkGuard(TMyDataModule &db) : m_db(db) { m_db.BeginWork(); }
    ~WorkGuard();
    void commit();

private:
    TMyDataModule &m_db;
    bool m_done = false;
};
