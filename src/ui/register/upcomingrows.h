#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

class TMyDataModule;

// The register's rows of scheduled transactions still to come in the current month:
// the occurrences after today up to the month's end, as grid texts (no number, no
// balance). None when the shown month is not the current one.
QList<QStringList> UpcomingRegisterRows(TMyDataModule &db, int accountId, const QDate &firstDayShown,
                                        const QDate &today, int digits);
