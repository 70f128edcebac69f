#include "core/reports/reportdaterange.h"

#include "core/datafile/sqlstatement.h"

QString ReportDateRange::condition(const QString &column) const
{
    // The column name is our own, never the user's.
    return limits() ? QStringLiteral(" AND %1 BETWEEN :FromDate AND :ToDate").arg(column) : QString();
}

void ReportDateRange::bind(SqlStatement &statement) const
{
    if (!limits())
        return;
    statement.bind(QStringLiteral(":FromDate"), from);
    statement.bind(QStringLiteral(":ToDate"), to);
}
