#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class TMyDataModule;

// The tables and columns every data file must have, read from the schema that
// builds the template, so the two can never disagree.
namespace Schema {

// Table name -> its column names, as the schema spells them: the tables every data
// file has had since the first template.
const QMap<QString, QStringList> &requiredColumns();
// The tables added to the schema since: a file of an older template lacks them until
// it is opened.
QStringList addedTables();
// True when the table (and column, when given) is part of the schema, ignoring case.
bool isKnownColumn(const QString &table, const QString &column);
// Throws DataFileFormatError naming the first missing table or column; an added
// table may be missing, but not a column of one that is there.
void validate(TMyDataModule &db);
// Brings a file made from an older template up to the schema, in one database
// transaction: creates the added tables and every index of the schema the file
// lacks, and drops the indexes they replace. Data rows are not touched. Nothing is
// written when the file is up to date. Throws DatabaseError when the file refuses
// (and then nothing has changed).
void upgrade(TMyDataModule &db);
// Names of the schema's indexes.
QStringList indexNames();
// Writes a new template data file (tables, indexes and the starting rows) at path.
// Throws TillbrookError when the file exists or cannot be written.
void createTemplate(const QString &path);

} // namespace Schema
