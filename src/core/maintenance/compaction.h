#pragma once

#include "core/datafile/filelock.h"

#include <QList>
#include <QString>

#include <functional>

struct Session;

// Puts the file Source in the place of Target in one step, so that Target is at every
// moment either the old file or the new one. False when that failed; Target is then
// untouched and Source is left where it was.
using FileReplacer = std::function<bool(const QString &source, const QString &target)>;
bool ReplaceFileAtomically(const QString &source, const QString &target);

// Compacts and checks the data file at Path, which no connection of this program may
// hold. The compacted copy is written to Path + "x" in the same folder, checked
// (SQLite's quick check, the schema, and the same number of rows in every table as
// the file) and then put in the place of the file in one rename. True when a checked, compact file is at Path: a file with no free pages
// to give back is checked and left as it is. False when the file is missing, held by
// another program, not a sound data file, or the copy could not be made or put in
// place; the file at Path is then byte for byte as it was and no copy is left behind.
bool CompactDataFile(const QString &path, const FileReplacer &replace = ReplaceFileAtomically);

// The same in its three steps, so that the compacted content can be read (to archive
// it) while it is being checked. The constructor locks the file and writes the copy
// when there are pages to give back; check() may then run on another thread while
// content() is read; finish() puts the copy in place when it is sound, or removes it.
// Dropped unfinished, the copy is removed and the file left as it was.
class Compaction
{
public:
    explicit Compaction(const QString &path);
    ~Compaction();
    Compaction(const Compaction &) = delete;
    Compaction &operator=(const Compaction &) = delete;

    // False when the file is missing, held by another program or could not be copied.
    bool ready() const { return m_ready; }
    // Where the compacted content is until finish(): the copy, or Path itself when
    // it had nothing to give back.
    const QString &content() const { return m_content; }
    // Whether content() is a sound data file: SQLite's quick check, the schema, and, for
    // a copy, every table with the rows the file has. VACUUM INTO builds every index of
    // the copy afresh from its tables, so the full check's comparison of indexes with
    // tables would find little there for its cost.
    bool check() const;
    // True when a checked, compact file is at Path (see CompactDataFile).
    bool finish(bool sound, const FileReplacer &replace = ReplaceFileAtomically);

private:
    QString m_path;
    QString m_content;
    QList<qint64> m_rowCounts; // of the file, when a copy was made
    FileLock m_lock;
    bool m_ready = false;
};

// "Validate and Optimise database": closes the connection, compacts the file in use and
// connects it again. The result of the compaction is not reported; the notice
// "Validation and optimisation of the database is ready." is shown in any case.
void CompactRepair(Session &session);

// The check of a file chosen with "Open": compacts it. The file in use is let go for
// the compaction and connected again afterwards.
bool CheckChosenDataFile(Session &session, const QString &path);
