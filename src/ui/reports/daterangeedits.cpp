#include "ui/reports/daterangeedits.h"

#include "core/base/texthelpers.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

QDateEdit *makeDateEdit(QWidget *parent, const char *name, const QString &hint)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(QLatin1String(DisplayDateFormat));
    edit->setCalendarPopup(true);
    edit->setToolTip(hint);
    return edit;
}

} // namespace

DateRangeEdits::DateRangeEdits(QWidget *parent)
    : QObject(parent)
    , dtFrom(makeDateEdit(parent, "dtFrom", QStringLiteral("Select from date")))
    , dtTo(makeDateEdit(parent, "dtTo", QStringLiteral("Select to date")))
{
    connect(dtFrom, &QDateEdit::dateChanged, this, [this] { dtFromChange(); });
    connect(dtTo, &QDateEdit::dateChanged, this, [this] { dtToChange(); });
}

ReportDateRange DateRangeEdits::range() const
{
    return {dtFrom->date(), dtTo->date()};
}

void DateRangeEdits::setWholeYear(const QDate &today)
{
    {
        const QSignalBlocker fromBlocker(dtFrom);
        const QSignalBlocker toBlocker(dtTo);
        dtFrom->setDate(QDate(today.year(), 1, 1));
        dtTo->setDate(QDate(today.year(), 12, 31));
    }
    emit rangeChanged();
}

void DateRangeEdits::dtFromChange()
{
    if (dtFrom->date() > dtTo->date()) {
        const QSignalBlocker blocker(dtFrom);
        dtFrom->setDate(dtTo->date());
    }
    emit rangeChanged();
}

void DateRangeEdits::dtToChange()
{
    if (dtTo->date() < dtFrom->date()) {
        const QSignalBlocker blocker(dtTo);
        dtTo->setDate(dtFrom->date());
    }
    emit rangeChanged();
}

QHBoxLayout *DateRangeAndKindRow(DateRangeEdits &dates, QRadioButton *payees, QRadioButton *categories,
                                 QWidget *parent)
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("From"), parent));
    row->addWidget(dates.dtFrom);
    row->addWidget(new QLabel(QStringLiteral("to"), parent));
    row->addWidget(dates.dtTo);
    row->addSpacing(12);
    row->addWidget(payees);
    row->addWidget(categories);
    row->addStretch(1);
    return row;
}
