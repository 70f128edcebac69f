#pragma once

#include "core/reports/reportdaterange.h"

#include <QObject>

class QDateEdit;
class QHBoxLayout;
class QRadioButton;
class QWidget;

// The "From" and "to" date pickers of the report windows. A from-date moved past the
// to-date is set back to it, a to-date moved before the from-date is set to it, so the
// range never turns round. rangeChanged follows every change, the corrections included.
class DateRangeEdits : public QObject
{
    Q_OBJECT
public:
    explicit DateRangeEdits(QWidget *parent);

    QDateEdit *dtFrom;
    QDateEdit *dtTo;

    ReportDateRange range() const;
    // 1 January to 31 December of the year of today.
    void setWholeYear(const QDate &today);

signals:
    void rangeChanged();

private:
    void dtFromChange();
    void dtToChange();
};

// The top row of the chart windows: "From" and "to" with the date pickers, then the
// choice between payees and categories.
QHBoxLayout *DateRangeAndKindRow(DateRangeEdits &dates, QRadioButton *payees, QRadioButton *categories,
                                 QWidget *parent);
