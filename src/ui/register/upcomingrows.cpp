// The register grid's rows of what is still to come this month.
#include "ui/register/upcomingrows.h"

#include "core/base/texthelpers.h"
#include "core/schedule/duelist.h"
#include "ui/register/registergrid.h"
#include "ui/widgets/stringtablemodel.h"
#include "ui/widgets/pubstrgrid.h"

QList<QStringList> UpcomingRegisterRows(TMyDataModule &db, int accountId, const QDate &firstDayShown,
                                        const QDate &today, int digits)
{
    QList<QStringList> rows;
    if (accountId < 0 || firstDayShown.year() != today.year() || firstDayShown.month() != today.month())
        return rows;
    const QDate monthEnd(today.year(), today.month(), today.daysInMonth());
    for (const DueOccurrence &o : OccurrencesOfAccount(db, accountId, today.addDays(1), monthEnd)) {
        const bool payment = o.amount <= Money();
        const QString amount = (payment ? -o.amount : o.amount).toGroupedText(digits);
        QStringList texts(RegisterGrid::ColumnCount);
        texts[RegisterGrid::ColDate] = DateToText(o.date);
        texts[RegisterGrid::ColPayee] = o.payeeName;
        texts[RegisterGrid::ColCategory] = o.categoryName;
        texts[RegisterGrid::ColNote] = o.note;
        texts[RegisterGrid::ColTransfer] = o.transfer ? QStringLiteral("T") : QString();
        texts[payment ? RegisterGrid::ColPay : RegisterGrid::ColReceive] = amount;
        rows << texts;
    }
    return rows;
}

void RegisterGrid::SetUpcomingRows(const QList<QStringList> &rows)
{
    removeUpcomingRows();
    m_upcoming = rows;
    appendUpcomingRows();
}

void RegisterGrid::removeUpcomingRows()
{
    if (m_upcomingFirst <= 0)
        return;
    StringTableModel &m = model();
    if (m_firstRowPending) {
        // They stood in the pending empty row and after it.
        m.SetRowCount(2);
        m.SetRow(1, QStringList());
    } else {
        m.RemoveRows(m_upcomingFirst, m.RowCount() - m_upcomingFirst);
    }
    m_upcomingFirst = -1;
}

void RegisterGrid::appendUpcomingRows()
{
    if (m_upcoming.isEmpty())
        return;
    StringTableModel &m = model();
    m.BeginUpdate();
    const int first = m_firstRowPending ? 1 : m.RowCount();
    m.SetRowCount(first + int(m_upcoming.size()));
    for (int i = 0; i < m_upcoming.size(); ++i)
        m.SetRow(first + i, m_upcoming.at(i));
    m.EndUpdate();
    m_upcomingFirst = first;
}

QScopeGuard<std::function<void()>> RegisterGrid::upcomingAside()
{
    const bool shown = m_upcomingFirst > 0;
    removeUpcomingRows();
    return QScopeGuard<std::function<void()>>([this, shown] {
        if (shown)
            appendUpcomingRows();
    });
}
