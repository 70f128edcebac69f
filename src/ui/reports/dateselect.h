#pragma once

#include "core/reports/reportdaterange.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <optional>

class DateRangeEdits;
class QPushButton;

// "Select dates": the date range of a printed report, starting as the whole current
// year. Cancelled is true when the dialog was left with Close (or Escape), false
// after Preview. The dates are set once, when the dialog is made: setting them at
// each activation would throw the user's choice away whenever the calendar drop-down
// closes or the user comes back from another window.
class TfrmDateSelect : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmDateSelect(QWidget *parent = nullptr, std::function<QDate()> today = {});

    bool Cancelled = false;
    ReportDateRange range() const;

    DateRangeEdits *dates;
    QPushButton *btnPreview;
    QPushButton *btnClose;
};

// Shows the dialog modally; the range, or nothing when it was left with Close.
std::optional<ReportDateRange> AskReportDates(QWidget *parent);
