#pragma once

#include "core/datafile/filelock.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>

// The one connection to the data file in use. Statements are SqlStatement objects
// made on it; they share prepared statements through a small cache here.
struct sqlite3;
struct sqlite3_stmt;

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
    // A statement on a closed connection reconnects it with the current data source,
    // unless the file is held closed: then it is an error of the program.
    void ensureConnected();

    // While the file is held closed (a backup, restore or compaction works on it), no
    // statement may reconnect it: one that tries throws instead of silently taking the
    // file's lock back. Closes the connection when it is opened.
    class HoldClosed
    {
    public:
        explicit HoldClosed(TMyDataModule &db);
        ~HoldClosed();
        HoldClosed(const HoldClosed &) = delete;
        HoldClosed &operator=(const HoldClosed &) = delete;

    private:
        TMyDataModule &m_db;
        bool m_wasHeld;
    };
    bool heldClosed() const { return m_heldClosed; }

    // Database transactions. Nested calls use savepoints, so an inner failure undoes
    // only its own statements. BeginWork returns the new nesting level.
    int BeginWork();
    void CommitWork();
    void RollbackWork();
    bool InTransaction() const { return m_depth > 0; }

    QString connectionName() const { return m_connectionName; }
    // SQLite's handle of the open connection; nullptr while closed.
    sqlite3 *handle() const { return m_handle; }

private:
    friend class SqlStatement;
    // A statement prepared on SQLite's own handle of the connection: Qt SQL's
    // per-statement work (named binding through variants) was half the cost of a row.
    struct PreparedStatement
    {
        PreparedStatement() = default;
        PreparedStatement(const PreparedStatement &) = delete;
        PreparedStatement &operator=(const PreparedStatement &) = delete;
        ~PreparedStatement();
        sqlite3_stmt *statement = nullptr;
        // Placeholder names by position (index 0 is parameter 1), to bind by name
        // without asking SQLite, which compares every name each time.
        QStringList parameters;
        bool inUse = false;
    };
    // The cached statement for this text, or a fresh one while the cached one is busy
    // (a statement run again inside a loop over its own results).
    std::shared_ptr<PreparedStatement> acquireStatement(const QString &sql);
    static void releaseStatement(PreparedStatement &statement);
    void execControl(const QString &sql);

    QString m_connectionName;
    QString m_dataSource;
    bool m_heldClosed = false;
    FileLock m_lock;
    QHash<QString, std::shared_ptr<PreparedStatement>> m_cache;
    sqlite3 *m_handle = nullptr;
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
