#include "core/datafile/schema.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The schema is compiled into this static library; its resources must be
// registered by hand (outside any namespace).
static void initSchemaResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

QString readResource(const QString &name)
{
    static const bool registered = (initSchemaResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/tillbrook/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw TillbrookError(QStringLiteral("The built-in schema %1 is missing.").arg(name));
    return QString::fromUtf8(file.readAll());
}

// The statements of a script: comment lines dropped, split at ";".
QStringList statementsOf(const QString &script)
{
    QString text;
    for (const QString &line : script.split(u'\n')) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + u'\n';
    }
    QStringList statements;
    for (const QString &part : text.split(u';')) {
        if (!part.trimmed().isEmpty())
            statements << part.trimmed();
    }
    return statements;
}

void runScript(QSqlDatabase &db, const QString &script)
{
    QSqlQuery query(db);
    for (const QString &statement : statementsOf(script)) {
        if (!query.exec(statement))
            throw DatabaseError(query.lastError().text());
    }
}

// Opens a private connection for the duration of a job.
template<typename Job>
void withConnection(const QString &name, const QString &path, Job job)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        try {
            if (!db.open())
                throw DatabaseError(db.lastError().text());
            job(db);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList columnsOf(QSqlQuery &query, const QString &table)
{
    // Table names here come from our own schema, never from the user.
    QStringList columns;
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        throw DataFileFormatError(QStringLiteral("This is not a Tillbrook data file: %1")
                                      .arg(query.lastError().text()));
    while (query.next())
        columns << query.value(1).toString();
    if (query.lastError().isValid())
        throw DataFileFormatError(QStringLiteral("This is not a Tillbrook data file: %1")
                                      .arg(query.lastError().text()));
    return columns;
}

// Indexes of older templates that a wider index of the schema now does the work of.
const char *const SupersededIndexes[] = {"ixTransactionsAccountDate", "ixTransactionsCategory"};

// The schema's CREATE INDEX statements by index name.
const QMap<QString, QString> &indexStatements()
{
    static const QMap<QString, QString> statements = [] {
        QMap<QString, QString> result;
        static const QRegularExpression createIndex(QStringLiteral(R"(^CREATE\s+INDEX\s+(\w+)\s)"),
                                                    QRegularExpression::CaseInsensitiveOption);
        for (const QString &statement : statementsOf(readResource(QStringLiteral("schema.sql")))) {
            const QRegularExpressionMatch match = createIndex.match(statement);
            if (match.hasMatch())
                result.insert(match.captured(1), statement);
        }
        return result;
    }();
    return statements;
}

// Tables newer than the first template: a file made before them lacks them until it
// is opened, and may be checked or restored without them.
const char *const AddedTables[] = {"tbSchedule"};

bool isAddedTable(const QString &table)
{
    for (const char *name : AddedTables)
        if (table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Every table of the schema with its columns, the added ones included.
const QMap<QString, QStringList> &allColumns()
{
    static const QMap<QString, QStringList> columns = [] {
        QMap<QString, QStringList> result;
        withConnection(QStringLiteral("tillbrook-schema-probe"), QStringLiteral(":memory:"),
                       [&](QSqlDatabase &db) {
                           runScript(db, readResource(QStringLiteral("schema.sql")));
                           QSqlQuery query(db);
                           for (const QString &table : db.tables())
                               if (!table.startsWith(QLatin1String("sqlite_")))
                                   result.insert(table, columnsOf(query, table));
                       });
        return result;
    }();
    return columns;
}

// The schema's CREATE TABLE statements of the added tables by table name.
const QMap<QString, QString> &addedTableStatements()
{
    static const QMap<QString, QString> statements = [] {
        QMap<QString, QString> result;
        static const QRegularExpression createTable(QStringLiteral(R"(^CREATE\s+TABLE\s+(\w+)\s)"),
                                                    QRegularExpression::CaseInsensitiveOption);
        for (const QString &statement : statementsOf(readResource(QStringLiteral("schema.sql")))) {
            const QRegularExpressionMatch match = createTable.match(statement);
            if (match.hasMatch() && isAddedTable(match.captured(1)))
                result.insert(match.captured(1), statement);
        }
        return result;
    }();
    return statements;
}

QStringList namesOf(QSqlQuery &query, const QString &type)
{
    QStringList names;
    if (!query.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = ?")))
        throw DatabaseError(query.lastError().text());
    query.addBindValue(type);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    while (query.next())
        names << query.value(0).toString();
    return names;
}

void checkColumns(QSqlQuery &query, const QString &table, const QStringList &columns)
{
    const QStringList present = columnsOf(query, table);
    if (present.isEmpty())
        throw DataFileFormatError(
            QStringLiteral("This is not a Tillbrook data file: it has no table %1.").arg(table));
    for (const QString &column : columns) {
        if (!present.contains(column, Qt::CaseInsensitive))
            throw DataFileFormatError(
                QStringLiteral("This is not a Tillbrook data file: the table %1 has no column %2.")
                    .arg(table, column));
    }
}

} // namespace

namespace Schema {

QStringList indexNames()
{
    return indexStatements().keys();
}

void upgrade(TMyDataModule &db)
{
    QSqlDatabase connection = QSqlDatabase::database(db.connectionName(), false);
    QSqlQuery query(connection);
    const QStringList tables = namesOf(query, QStringLiteral("table"));
    const QStringList present = namesOf(query, QStringLiteral("index"));
    QStringList statements;
    const auto &creates = addedTableStatements();
    for (auto it = creates.begin(); it != creates.end(); ++it)
        if (!tables.contains(it.key(), Qt::CaseInsensitive))
            statements << it.value();
    const auto &indexes = indexStatements();
    for (auto it = indexes.begin(); it != indexes.end(); ++it)
        if (!present.contains(it.key(), Qt::CaseInsensitive))
            statements << it.value();
    // Names from our own list above, never from the file.
    for (const char *name : SupersededIndexes)
        if (present.contains(QLatin1String(name), Qt::CaseInsensitive))
            statements << QStringLiteral("DROP INDEX \"%1\"").arg(QLatin1String(name));
    if (statements.isEmpty())
        return;
    // All of it or none: a file left half upgraded would be upgraded again next time,
    // but a table without its index would make the due check read every schedule.
    if (!query.exec(QStringLiteral("BEGIN")))
        throw DatabaseError(query.lastError().text());
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            const QString message = query.lastError().text();
            query.exec(QStringLiteral("ROLLBACK"));
            throw DatabaseError(message);
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        const QString message = query.lastError().text();
        query.exec(QStringLiteral("ROLLBACK"));
        throw DatabaseError(message);
    }
}

const QMap<QString, QStringList> &requiredColumns()
{
    static const QMap<QString, QStringList> columns = [] {
        QMap<QString, QStringList> result = allColumns();
        for (const char *name : AddedTables)
            result.remove(QLatin1String(name));
        return result;
    }();
    return columns;
}

QStringList addedTables()
{
    QStringList names;
    for (const char *name : AddedTables)
        names << QLatin1String(name);
    return names;
}

bool isKnownColumn(const QString &table, const QString &column)
{
    const auto &all = allColumns();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it.key().compare(table, Qt::CaseInsensitive) == 0)
            return column.isEmpty() || it.value().contains(column, Qt::CaseInsensitive);
    }
    return false;
}

void validate(TMyDataModule &db)
{
    QSqlQuery query(QSqlDatabase::database(db.connectionName(), false));
    const auto &all = allColumns();
    QStringList tables;
    try {
        tables = namesOf(query, QStringLiteral("table"));
    } catch (const DatabaseError &error) {
        throw DataFileFormatError(QStringLiteral("This is not a Tillbrook data file: %1").arg(error.message()));
    }
    for (auto it = all.begin(); it != all.end(); ++it) {
        // An added table may be missing (upgrade makes it), but one that is there is
        // read by the program and must have its columns.
        if (isAddedTable(it.key()) && !tables.contains(it.key(), Qt::CaseInsensitive))
            continue;
        checkColumns(query, it.key(), it.value());
    }
}

void createTemplate(const QString &path)
{
    if (QFileInfo::exists(path))
        throw TillbrookError(QStringLiteral("The file '%1' exists already.").arg(path));
    withConnection(QStringLiteral("tillbrook-template-writer"), path, [](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN")))
            throw DatabaseError(query.lastError().text());
        runScript(db, readResource(QStringLiteral("schema.sql")));
        runScript(db, readResource(QStringLiteral("template-rows.sql")));
        if (!query.exec(QStringLiteral("COMMIT")))
            throw DatabaseError(query.lastError().text());
    });
}

} // namespace Schema
