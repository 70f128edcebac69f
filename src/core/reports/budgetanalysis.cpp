#include "core/reports/budgetanalysis.h"

#include "core/base/texthelpers.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/budget.h"
#include "core/reports/basecurrencysum.h"
#include "core/store/lookups.h"

#include <QDate>

namespace {

SqlStatement &runGrouped(SqlStatement &query, int itemId, const ReportDateRange &range)
{
    query.bind(QStringLiteral(":ItemId"), itemId);
    range.bind(query);
    return query.exec();
}

// The item's rows are searched in its covering index (item, date, amount, rate), in
// date order already. groupKey is a fixed expression of our own.
QString groupedSql(ReportItemKind kind, const ReportDateRange &range, const QString &groupKey)
{
    return QStringLiteral("SELECT %1 AS GroupKey, SUM(Amount/CurrencyRate) FROM tbTransactions"
                          " WHERE %2 = :ItemId%3 GROUP BY GroupKey ORDER BY GroupKey")
        .arg(groupKey, ColumnsOf(kind).idColumn, range.condition(QStringLiteral("TransactionDate")));
}

Money timesDays(Money perDay, int days)
{
    return Money::fromUnits(perDay.units() * days);
}

} // namespace

int BudgetItemId(TMyDataModule &db, ReportItemKind kind, const QString &name)
{
    if (name.isEmpty())
        return -1;
    const ReportItemColumns &c = ColumnsOf(kind);
    return LookupId(db, c.table, c.idColumn, c.nameColumn, name);
}

QList<BudgetPoint> BudgetByDay(TMyDataModule &db, ReportItemKind kind, int itemId, const ReportDateRange &range)
{
    const Money perDay = DailyBudget(db, itemId, BudgetKindLetter(kind));
    SqlStatement query(db, groupedSql(kind, range, QStringLiteral("TransactionDate")));
    runGrouped(query, itemId, range);
    QList<BudgetPoint> points;
    while (query.next()) {
        const QString stored = query.value(0).toString();
        const QDate date = FromStoredDate(stored);
        points.append({date.isValid() ? DateToText(date) : stored, -BaseCurrencySum(query.value(1)), perDay});
    }
    return points;
}

QList<BudgetPoint> BudgetByMonth(TMyDataModule &db, ReportItemKind kind, int itemId, const ReportDateRange &range)
{
    const Money perDay = DailyBudget(db, itemId, BudgetKindLetter(kind));
    SqlStatement query(db, groupedSql(kind, range, QStringLiteral("substr(TransactionDate, 1, 7)")));
    runGrouped(query, itemId, range);
    QList<BudgetPoint> points;
    while (query.next()) {
        const QString yearMonth = query.value(0).toString();
        const QDate first = QDate::fromString(yearMonth + QStringLiteral("-01"), Qt::ISODate);
        const Money actual = -BaseCurrencySum(query.value(1));
        if (!first.isValid()) {
            // A date the program did not write; shown as stored, with no budget to compare.
            points.append({yearMonth, actual, Money()});
            continue;
        }
        points.append({BudgetMonthName(first.month()) + u'-' + QString::number(first.year()), actual,
                       timesDays(perDay, first.daysInMonth())});
    }
    return points;
}

QString BudgetMonthName(int month)
{
    static const char *const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sept", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? QLatin1String(names[month - 1]) : QString();
}

bool BudgetIsSet(TMyDataModule &db, ReportItemKind kind, int itemId)
{
    return !DailyBudget(db, itemId, BudgetKindLetter(kind)).isZero();
}
