#include "core/lists/items.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/lookups.h"

#include <QVariant>
#include <cmath>

namespace {

struct ItemTable
{
    const char *table;
    const char *nameColumn;
    bool comboOnly;
};

// The only tables the item operations reach. Names cannot be bound, so they come
// from here (spelled as here) and are checked against the schema as well.
constexpr ItemTable ItemTables[] = {
    {"tbPayee", "PayeeName", false},
    {"tbCategory", "CategoryDescription", false},
    {"tbAccount", "AccountDescription", true},
};

struct Names
{
    QString table;
    QString column;
};

Names itemTable(const QString &table, const QString &nameColumn, bool forCombo = false)
{
    for (const ItemTable &t : ItemTables) {
        if ((forCombo || !t.comboOnly)
            && table.compare(QLatin1String(t.table), Qt::CaseInsensitive) == 0
            && nameColumn.compare(QLatin1String(t.nameColumn), Qt::CaseInsensitive) == 0
            && Schema::isKnownColumn(QLatin1String(t.table), QLatin1String(t.nameColumn)))
            return {QLatin1String(t.table), QLatin1String(t.nameColumn)};
    }
    throw TillbrookError(QStringLiteral("%1.%2 is not a list of payees or categories.").arg(table, nameColumn));
}

QString storedFrequency(const QString &frequency)
{
    return frequency.isEmpty() ? QStringLiteral(" ") : frequency;
}

QString typeText(bool isExpense)
{
    return QLatin1String(isExpense ? ItemTypeExpense : ItemTypeIncome);
}

void warn(Notifier &notifier, const QString &message)
{
    ShowNotice(notifier, message, WarningDialog);
}

// Amt holds ten-thousandths; a value the engine does not hand back as a number
// (text written by another program) shows as "0".
QString amountTextOf(const QVariant &amt)
{
    switch (amt.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return ItemAmountText(Money::fromUnits(amt.toLongLong()));
    case QMetaType::Double:
        return ItemAmountText(Money::fromUnits(std::llround(amt.toDouble())));
    default:
        return QStringLiteral("0");
    }
}

} // namespace

bool ItemExists(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name)
{
    const Names n = itemTable(table, nameColumn);
    SqlStatement query(db, QStringLiteral("SELECT %1 FROM %2 WHERE %1 = :Name").arg(n.column, n.table));
    query.bind(QStringLiteral(":Name"), name).exec();
    return query.next();
}

bool ItemIsExpense(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name)
{
    const Names n = itemTable(table, nameColumn);
    SqlStatement query(db, QStringLiteral("SELECT Type FROM %1 WHERE %2 = :Name").arg(n.table, n.column));
    query.bind(QStringLiteral(":Name"), name).exec();
    if (!query.next())
        return false;
    const QVariant type = query.value(0);
    return !type.isNull() && type.toString() == QLatin1String(ItemTypeExpense);
}

bool InsertItem(TMyDataModule &db, Notifier &notifier, const QString &table, const QString &nameColumn,
                const QString &name, const QString &frequency, Money amount, bool isExpense)
{
    const Names n = itemTable(table, nameColumn);
    if (ItemExists(db, n.table, n.column, name)) {
        warn(notifier, QStringLiteral("Item already exists."));
        return false;
    }
    if (name.isEmpty()) {
        warn(notifier, QStringLiteral("Enter item description please."));
        return false;
    }
    SqlStatement query(db, QStringLiteral("INSERT INTO %1 (%2,Type,Amt,Frequency) "
                                          "VALUES (:Name,:Type,:Amt,:Frequency)").arg(n.table, n.column));
    query.bind(QStringLiteral(":Name"), name)
        .bind(QStringLiteral(":Type"), typeText(isExpense))
        .bind(QStringLiteral(":Amt"), amount)
        .bind(QStringLiteral(":Frequency"), storedFrequency(frequency))
        .exec();
    return true;
}

bool UpdateItem(TMyDataModule &db, Notifier &notifier, const QString &table, const QString &nameColumn,
                const QString &newName, const QString &frequency, Money amount, bool isExpense,
                const QString &oldName)
{
    const Names n = itemTable(table, nameColumn);
    if (newName.isEmpty()) {
        warn(notifier, QStringLiteral("Enter item description please."));
        return false;
    }
    SqlStatement query(db, QStringLiteral("UPDATE %1 SET %2=:NewName,Type=:Type,Amt=:Amt,Frequency=:Frequency "
                                          "WHERE %2=:OldName").arg(n.table, n.column));
    query.bind(QStringLiteral(":NewName"), newName)
        .bind(QStringLiteral(":Type"), typeText(isExpense))
        .bind(QStringLiteral(":Amt"), amount)
        .bind(QStringLiteral(":Frequency"), storedFrequency(frequency))
        .bind(QStringLiteral(":OldName"), oldName)
        .exec();
    return true;
}

void DeleteItem(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name)
{
    const Names n = itemTable(table, nameColumn);
    // Transactions keep the identifier and show no name; a schedule is left with none
    // rather than a number that nothing answers to. The identifier column has the same
    // name in both tables.
    const QString idColumn = n.table == QLatin1String("tbPayee") ? QStringLiteral("PayeeId") : QStringLiteral("CategoryId");
    SqlStatement(db, QStringLiteral("UPDATE tbSchedule SET %1=NULL WHERE %1 IN (SELECT %1 FROM %2 WHERE %3=:Name)")
                         .arg(idColumn, n.table, n.column))
        .bind(QStringLiteral(":Name"), name)
        .exec();
    SqlStatement query(db, QStringLiteral("DELETE FROM %1 WHERE %2=:Name").arg(n.table, n.column));
    query.bind(QStringLiteral(":Name"), name).exec();
}

QString ItemRow::text() const
{
    return QStringList{QString(name).replace(u';', u','), type, amountText, frequencyText}.join(u';');
}

QList<ItemRow> ItemListRows(TMyDataModule &db, const QString &table, const QString &nameColumn)
{
    const Names n = itemTable(table, nameColumn);
    SqlStatement query(db, QStringLiteral("SELECT %1,Type,Amt,Frequency FROM %2 ORDER BY Type,%1").arg(n.column, n.table));
    query.exec();
    QList<ItemRow> rows;
    while (query.next()) {
        ItemRow row;
        row.name = query.value(0).toString();
        if (row.name.isEmpty())
            continue;
        row.type = query.value(1).toString();
        row.amountText = amountTextOf(query.value(2));
        row.frequencyText = query.value(3).toString();
        if (row.frequencyText.isEmpty())
            row.frequencyText = QStringLiteral(" ");
        rows.append(row);
    }
    return rows;
}

QStringList ItemNames(TMyDataModule &db, const QString &table, const QString &nameColumn)
{
    const Names n = itemTable(table, nameColumn, true);
    SqlStatement query(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY Type,%1").arg(n.column, n.table));
    query.exec();
    QStringList names;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

bool ItemExists(TMyDataModule &db, ItemKind kind, const QString &name)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return ItemExists(db, t.table, t.nameColumn, name);
}

bool ItemIsExpense(TMyDataModule &db, ItemKind kind, const QString &name)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return ItemIsExpense(db, t.table, t.nameColumn, name);
}

bool InsertItem(TMyDataModule &db, Notifier &notifier, ItemKind kind, const QString &name,
                const QString &frequency, Money amount, bool isExpense)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return InsertItem(db, notifier, t.table, t.nameColumn, name, frequency, amount, isExpense);
}

bool UpdateItem(TMyDataModule &db, Notifier &notifier, ItemKind kind, const QString &newName,
                const QString &frequency, Money amount, bool isExpense, const QString &oldName)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return UpdateItem(db, notifier, t.table, t.nameColumn, newName, frequency, amount, isExpense, oldName);
}

void DeleteItem(TMyDataModule &db, ItemKind kind, const QString &name)
{
    const ItemKindTable &t = ItemTableOf(kind);
    DeleteItem(db, t.table, t.nameColumn, name);
}

QList<ItemRow> ItemListRows(TMyDataModule &db, ItemKind kind)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return ItemListRows(db, t.table, t.nameColumn);
}

QStringList ItemNames(TMyDataModule &db, ItemKind kind)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return ItemNames(db, t.table, t.nameColumn);
}

int ItemIdOf(TMyDataModule &db, ItemKind kind, const QString &name)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return LookupId(db, t.table, t.idColumn, t.nameColumn, name);
}

QString ItemNameOf(TMyDataModule &db, ItemKind kind, int id)
{
    const ItemKindTable &t = ItemTableOf(kind);
    return LookupName(db, t.table, t.nameColumn, t.idColumn, id);
}

QStringList AccountNames(TMyDataModule &db)
{
    return ItemNames(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"));
}

QString ItemAmountText(Money amount)
{
    QString text = amount.toPlainText(4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
