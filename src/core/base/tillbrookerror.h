#pragma once

#include <QString>
#include <stdexcept>

// Every failure of a core operation is raised as one of these; the message is the
// engine's own (or ours where no engine is involved) and is shown under "More".
class TillbrookError : public std::runtime_error
{
public:
    explicit TillbrookError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A statement the engine refused, or a connection that could not be made.
class DatabaseError : public TillbrookError
{
public:
    using TillbrookError::TillbrookError;
};

// A file that is not a Tillbrook data file (not a database, or a table or column missing).
class DataFileFormatError : public DatabaseError
{
public:
    using DatabaseError::DatabaseError;
};
