#include "core/lists/itemmove.h"

#include "core/datafile/sqlstatement.h"

QString MoveRefusal(const QString &sourceName, int sourceId, const QString &targetName, int targetId)
{
    if (targetName.isEmpty() || targetId < 0)
        return QStringLiteral("Select where you want to move the transactions.");
    if (targetId == sourceId || targetName.compare(sourceName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Transactions are already in ") + sourceName
            + QStringLiteral(" you cannot move them to the same section");
    return QString();
}

int MoveTransactions(TMyDataModule &db, ItemKind kind, int fromId, int toId)
{
    // The item's identifier column has the same name in tbTransactions.
    const ItemKindTable &t = ItemTableOf(kind);
    SqlStatement query(db, QStringLiteral("UPDATE tbTransactions SET %1=:To WHERE %1=:From").arg(t.idColumn));
    query.bind(QStringLiteral(":To"), toId).bind(QStringLiteral(":From"), fromId).exec();
    const int moved = query.rowsAffected();
    // The schedules go with them, so what they enter later lands where the rest went.
    SqlStatement(db, QStringLiteral("UPDATE tbSchedule SET %1=:To WHERE %1=:From").arg(t.idColumn))
        .bind(QStringLiteral(":To"), toId)
        .bind(QStringLiteral(":From"), fromId)
        .exec();
    return moved;
}

void DeleteItemById(TMyDataModule &db, ItemKind kind, int id)
{
    const ItemKindTable &t = ItemTableOf(kind);
    // A schedule still naming it is left with none (transactions keep the number).
    SqlStatement(db, QStringLiteral("UPDATE tbSchedule SET %1=NULL WHERE %1=:Id").arg(t.idColumn))
        .bind(QStringLiteral(":Id"), id)
        .exec();
    SqlStatement query(db, QStringLiteral("DELETE FROM %1 WHERE %2=:Id").arg(t.table, t.idColumn));
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
