#pragma once

#include "core/base/money.h"
#include "core/register/registerquery.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class TMyDataModule;

// The entry of the payee, category and account lists that drops that condition.
inline constexpr auto ReportAllItems = "<ALL>";

// The report centre's choices as its lists and date pickers hold them.
struct ReportCentreChoice
{
    QString payee = QString::fromLatin1(ReportAllItems);
    QString category = QString::fromLatin1(ReportAllItems);
    QString account = QString::fromLatin1(ReportAllItems);
    QDate fromDate;
    QDate toDate;
};

// The names the three lists offer, each as the item lists order them.
struct ReportCentreLists
{
    QStringList payees;
    QStringList categories;
    QStringList accounts;
};
ReportCentreLists LoadReportCentreLists(TMyDataModule &db);

// The conditions of the choices, in this order: payee, category, account (each left
// out when its text is "<ALL>"; a name without a row gives the identifier -1, so
// nothing matches), and the date range when the to-date is on or after the
// from-date. Every identifier and date is a bound value.
RegisterFilter GetFilter(TMyDataModule &db, const ReportCentreChoice &choice);

// The balance the running balance starts from: the raw amounts of the chosen
// account dated on or before the day before the from-date (0 for "<ALL>" or a name
// without a row).
Money ReportOpeningBalance(TMyDataModule &db, const ReportCentreChoice &choice);

// The transactions the filter lets through, by date and then number, handed to
// row one at a time as they are read, so no list of them is ever held.
void ForEachReportRow(TMyDataModule &db, const RegisterFilter &filter,
                      const std::function<void(const TransactionRowCells &)> &row);
