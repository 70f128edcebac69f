#pragma once

#include <QDate>
#include <QString>

class SqlStatement;

// The date range of a report. A from-date after the to-date means no range: every
// date counts.
struct ReportDateRange
{
    QDate from;
    QDate to;

    bool limits() const { return from.isValid() && to.isValid() && from <= to; }
    // " AND <column> BETWEEN :FromDate AND :ToDate" when the range limits, else empty.
    QString condition(const QString &column) const;
    // Binds :FromDate and :ToDate when the range limits.
    void bind(SqlStatement &statement) const;
};
