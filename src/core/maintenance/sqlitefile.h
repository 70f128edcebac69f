#pragma once

#include <QString>
#include <QList>
#include <QStringList>

struct sqlite3;

// A data file opened on a connection of its own, apart from the program's connection:
// compaction and restore check files that must not become the file in use. Every
// failure throws DatabaseError with SQLite's message.
class SqliteFile
{
public:
    enum Mode { ReadOnly, ReadWrite };
    SqliteFile(const QString &path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    // Runs one statement; the values bind to ?1, ?2, ... in order.
    void exec(const QString &sql, const QStringList &values = {});
    // The first column of every row of one statement, as text.
    QStringList firstColumn(const QString &sql, const QStringList &values = {});

    // How deep the check goes. Full: SQLite's integrity check, which also compares every
    // index with its table (a file from outside, damaged anywhere). Quick: its quick
    // check, enough for a copy SQLite has just built with fresh indexes.
    enum class Depth { Quick, Full };
    // Empty when the file passes SQLite's check and has every table and column of the
    // schema; otherwise what is wrong, in words for the user.
    QString soundnessProblem(Depth depth = Depth::Full);
    // The number of rows of each of the six tables of a data file; SQLite counts them
    // through each table's smallest index.
    QList<qint64> tableRowCounts();

    // Stops the statement running on this file's connection (from any thread); it ends
    // with an error.
    void interrupt();

    void close();

private:
    sqlite3 *m_db = nullptr;
};

// SqliteFile::soundnessProblem of the file at Path; a file that cannot be opened as a
// database is not sound either.
QString DataFileSoundnessProblem(const QString &path, SqliteFile::Depth depth = SqliteFile::Depth::Full);
