#include "core/lists/itemmove.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/lookups.h"

namespace {

struct MoveColumns
{
    QString table;      // the item table
    QString nameColumn; // its name column
    QString idColumn;   // its identifier, also the column of tbTransactions
};

// Column names cannot be bound, so they come from here, spelled as the schema has them.
MoveColumns moveColumns(const QString &table, const QString &nameColumn)
{
    if (table.compare(QLatin1String("tbPayee"), Qt::CaseInsensitive) == 0
        && nameColumn.compare(QLatin1String("PayeeName"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("PayeeId")};
    if (table.compare(QLatin1String("tbCategory"), Qt::CaseInsensitive) == 0
        && nameColumn.compare(QLatin1String("CategoryDescription"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("tbCategory"), QStringLiteral("CategoryDescription"), QStringLiteral("CategoryId")};
    throw TillbrookError(QStringLiteral("%1.%2 is not a list of payees or categories.").arg(table, nameColumn));
}

} // namespace

int ItemIdOf(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name)
{
    const MoveColumns c = moveColumns(table, nameColumn);
    return LookupId(db, c.table, c.idColumn, c.nameColumn, name);
}

QString ItemNameOf(TMyDataModule &db, const QString &table, const QString &nameColumn, int id)
{
    const MoveColumns c = moveColumns(table, nameColumn);
    return LookupName(db, c.table, c.nameColumn, c.idColumn, id);
}

QString MoveRefusal(const QString &sourceName, int sourceId, const QString &targetName, int targetId)
{
    if (targetName.isEmpty() || targetId < 0)
        return QStringLiteral("Select where you want to move the transactions.");
    if (targetId == sourceId || targetName.compare(sourceName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Transactions are already in ") + sourceName
            + QStringLiteral(" you cannot move them to the same section");
    return QString();
}

int MoveTransactions(TMyDataModule &db, const QString &table, const QString &nameColumn, int fromId, int toId)
{
    const MoveColumns c = moveColumns(table, nameColumn);
    SqlStatement query(db, QStringLiteral("UPDATE tbTransactions SET %1=:To WHERE %1=:From").arg(c.idColumn));
    query.bind(QStringLiteral(":To"), toId).bind(QStringLiteral(":From"), fromId).exec();
    return query.rowsAffected();
}

void DeleteItemById(TMyDataModule &db, const QString &table, const QString &nameColumn, int id)
{
    const MoveColumns c = moveColumns(table, nameColumn);
    SqlStatement query(db, QStringLiteral("DELETE FROM %1 WHERE %2=:Id").arg(c.table, c.idColumn));
    query.bind(QStringLiteral(":Id"), id).exec();
}

QString MoveQuestion(const QString &sourceName, const QString &targetName)
{
    return QStringLiteral("Do you wish to move all transaction from ") + sourceName + QStringLiteral(" to ")
        + targetName + u'?';
}

QString DeleteEmptiedItemQuestion(const QString &sourceName)
{
    return QStringLiteral("The items have been moved and now ") + sourceName
        + QStringLiteral(" is empty. Do you wish to delete ") + sourceName + u'?';
}
