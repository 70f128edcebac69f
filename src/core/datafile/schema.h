#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class TMyDataModule;

// The tables and columns every data file must have, read from the schema that
// builds the template, so the two can never disagree.
namespace Schema {

// Table name -> its column names, as the schema spells them.
const QMap<QString, QStringList> &requiredColumns();
// True when the table (and column, when given) is part of the schema, ignoring case.
bool isKnownColumn(const QString &table, const QString &column);
// Throws DataFileFormatError naming the first missing table or column.
void validate(TMyDataModule &db);
// Brings the indexes of a file made from an older template up to the schema's:
// creates every index of the schema the file lacks and drops the ones they
// replace. Data rows are not touched. Throws DatabaseError when the file refuses.
void upgradeIndexes(TMyDataModule &db);
// Names of the schema's indexes.
QStringList indexNames();
// Writes a new template data file (tables, indexes and the starting rows) at path.
// Throws TillbrookError when the file exists or cannot be written.
void createTemplate(const QString &path);

} // namespace Schema
