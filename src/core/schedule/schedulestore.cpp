#include "core/schedule/schedulestore.h"

#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/lookups.h"
#include "core/store/transactionstore.h"

#include <algorithm>
#include <limits>

namespace {

// The row with the names it refers to; a name whose row is gone reads as empty.
const QString SelectColumns = QStringLiteral(
    "SELECT s.ScheduleId, s.AccountId, (SELECT AccountDescription FROM tbAccount WHERE AccountId = s.AccountId),"
    " s.OtherAccountID, (SELECT AccountDescription FROM tbAccount WHERE AccountId = s.OtherAccountID),"
    " s.PayeeId, (SELECT PayeeName FROM tbPayee WHERE PayeeId = s.PayeeId),"
    " s.CategoryId, (SELECT CategoryDescription FROM tbCategory WHERE CategoryId = s.CategoryId),"
    " s.Amount, s.strNote, s.Frequency, s.Interval, s.DayOfMonth, s.NextDueDate, s.EndDate,"
    " s.RemainingCount, s.AutoEnter FROM tbSchedule AS s");

const QString LoadSql = SelectColumns + QStringLiteral(" WHERE s.ScheduleId = :ScheduleId");
const QString ListSql = SelectColumns + QStringLiteral(" ORDER BY s.NextDueDate, s.ScheduleId");
// Reads the NextDueDate index up to the day; the end is checked on each row read.
const QString DueSql = SelectColumns + QStringLiteral(
    " WHERE s.NextDueDate <= :Last ORDER BY s.NextDueDate, s.ScheduleId");

const QString AccountDueSql = SelectColumns + QStringLiteral(
    " WHERE (s.AccountId = :AccountId OR s.OtherAccountID = :AccountId) AND s.NextDueDate <= :Last"
    " ORDER BY s.NextDueDate, s.ScheduleId");

const QString InsertSql = QStringLiteral(
    "INSERT INTO tbSchedule (AccountId, OtherAccountID, PayeeId, CategoryId, Amount, strNote, Frequency,"
    " Interval, DayOfMonth, NextDueDate, EndDate, RemainingCount, AutoEnter)"
    " VALUES (:AccountId, :OtherAccountID, :PayeeId, :CategoryId, :Amount, :strNote, :Frequency,"
    " :Interval, :DayOfMonth, :NextDueDate, :EndDate, :RemainingCount, :AutoEnter)");
const QString UpdateSql = QStringLiteral(
    "UPDATE tbSchedule SET AccountId = :AccountId, OtherAccountID = :OtherAccountID, PayeeId = :PayeeId,"
    " CategoryId = :CategoryId, Amount = :Amount, strNote = :strNote, Frequency = :Frequency,"
    " Interval = :Interval, DayOfMonth = :DayOfMonth, NextDueDate = :NextDueDate, EndDate = :EndDate,"
    " RemainingCount = :RemainingCount, AutoEnter = :AutoEnter WHERE ScheduleId = :ScheduleId");

bool isInteger(const QVariant &value)
{
    return value.typeId() == QMetaType::LongLong;
}

// A stored date: null for Null or an empty text; `ok` false for a text that is no day.
QDate dateOf(const QVariant &value, bool *ok)
{
    *ok = true;
    if (value.isNull() || value.toString().trimmed().isEmpty())
        return {};
    const QDate date = FromStoredDate(value.toString());
    *ok = date.isValid();
    return date;
}

// The row as a record, or the reason it cannot be read.
TSchedule readRow(const SqlStatement &q, QString *problem)
{
    TSchedule s;
    s.ScheduleId = q.value(0).toInt();
    s.AccountId = q.value(1).toInt();
    s.AccountDescription = q.value(2).toString();
    const int other = q.value(3).toInt();
    s.OtherAccountID = other > 0 ? other : 0;
    s.OtherAccountDescription = q.value(4).toString();
    s.PayeeId = q.value(5).toInt();
    s.PayeeName = q.value(6).toString();
    s.CategoryId = q.value(7).toInt();
    s.CategoryDescription = q.value(8).toString();
    s.strNote = q.value(10).toString();
    s.AutoEnter = q.value(17).toString().trimmed().compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0;

    if (!isInteger(q.value(9))) {
        *problem = QStringLiteral("its amount is not a whole number of ten-thousandths");
        return s;
    }
    s.Amount = Money::fromUnits(q.value(9).toLongLong());
    const std::optional<ScheduleFrequency> frequency = FrequencyFromCode(q.value(11).toString());
    if (!frequency) {
        *problem = QStringLiteral("its frequency '%1' is not D, W, M or Y").arg(q.value(11).toString());
        return s;
    }
    s.rule.frequency = *frequency;
    if (!isInteger(q.value(12))) {
        *problem = QStringLiteral("its interval is not a whole number");
        return s;
    }
    const qint64 interval = q.value(12).toLongLong();
    s.rule.interval = interval < 0 || interval > MaxScheduleInterval ? 0 : int(interval);
    if (!q.value(13).isNull()) {
        const qint64 day = isInteger(q.value(13)) ? q.value(13).toLongLong() : -1;
        s.rule.dayOfMonth = day < 1 || day > 31 ? -1 : int(day);
    }
    bool ok = true;
    s.NextDueDate = dateOf(q.value(14), &ok);
    if (!ok || !s.NextDueDate.isValid()) {
        *problem = QStringLiteral("its next due date '%1' is not a day").arg(q.value(14).toString());
        return s;
    }
    s.end.endDate = dateOf(q.value(15), &ok);
    if (!ok) {
        *problem = QStringLiteral("its end date '%1' is not a day").arg(q.value(15).toString());
        return s;
    }
    if (!q.value(16).isNull()) {
        if (!isInteger(q.value(16))) {
            *problem = QStringLiteral("its remaining count is not a whole number");
            return s;
        }
        s.end.remaining = int(std::clamp<qint64>(q.value(16).toLongLong(), 0, std::numeric_limits<int>::max()));
    }
    return s;
}

TSchedule checkedRow(TMyDataModule &db, const SqlStatement &q, QString *problem)
{
    TSchedule s = readRow(q, problem);
    if (problem->isEmpty())
        *problem = ScheduleProblem(db, s);
    return s;
}

QString problemText(int scheduleId, const QString &problem)
{
    return QStringLiteral("Scheduled transaction %1 cannot be used: %2.").arg(scheduleId).arg(problem);
}

QVariant idOrNull(int id)
{
    return id > 0 ? QVariant(id) : QVariant(QMetaType(QMetaType::Int));
}

void bindProgress(SqlStatement &statement, const QDate &nextDueDate, std::optional<int> remaining)
{
    statement.bind(QStringLiteral(":NextDueDate"), ToStoredDate(nextDueDate));
    if (remaining)
        statement.bind(QStringLiteral(":RemainingCount"), *remaining);
    else
        statement.bindNull(QStringLiteral(":RemainingCount"));
}

} // namespace

QString ScheduleProblem(TMyDataModule &db, const TSchedule &s)
{
    if (s.AccountId <= 0 || !IdExists(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"), s.AccountId))
        return QStringLiteral("its account does not exist");
    if (s.isTransfer()) {
        if (s.OtherAccountID == s.AccountId)
            return QStringLiteral("it transfers to its own account");
        if (!IdExists(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"), s.OtherAccountID))
            return QStringLiteral("the account it transfers to does not exist");
    }
    if (s.Amount.isZero())
        return QStringLiteral("its amount is 0");
    if (!s.Amount.isInRange())
        return QStringLiteral("its amount lies beyond the largest amount");
    const QString rule = RuleProblem(s.rule);
    if (!rule.isEmpty())
        return rule.left(1).toLower() + rule.mid(1).chopped(1);
    if (!s.NextDueDate.isValid() || s.NextDueDate.year() < FirstStorableYear || s.NextDueDate.year() > LastStorableYear)
        return QStringLiteral("its next due date is not a day the data file can hold");
    if (s.end.endDate.isValid() && (s.end.endDate.year() < FirstStorableYear || s.end.endDate.year() > LastStorableYear))
        return QStringLiteral("its end date is not a day the data file can hold");
    if (s.end.remaining && *s.end.remaining < 0)
        return QStringLiteral("its remaining count is below 0");
    return {};
}

std::optional<TSchedule> LoadSchedule(TMyDataModule &db, int scheduleId)
{
    SqlStatement q(db, LoadSql);
    q.bind(QStringLiteral(":ScheduleId"), scheduleId).exec();
    if (!q.next())
        return std::nullopt;
    QString problem;
    TSchedule s = checkedRow(db, q, &problem);
    if (!problem.isEmpty())
        throw TillbrookError(problemText(scheduleId, problem));
    return s;
}

int SaveSchedule(TMyDataModule &db, const TSchedule &s)
{
    const QString problem = ScheduleProblem(db, s);
    if (!problem.isEmpty())
        throw TillbrookError(problemText(s.ScheduleId, problem));
    const bool monthly = s.rule.frequency == ScheduleFrequency::Months || s.rule.frequency == ScheduleFrequency::Years;
    const int day = s.rule.dayOfMonth > 0 ? s.rule.dayOfMonth : s.NextDueDate.day();
    SqlStatement write(db, s.ScheduleId > 0 ? UpdateSql : InsertSql);
    write.bind(QStringLiteral(":AccountId"), s.AccountId)
        .bind(QStringLiteral(":OtherAccountID"), idOrNull(s.OtherAccountID))
        .bind(QStringLiteral(":PayeeId"), idOrNull(s.PayeeId))
        .bind(QStringLiteral(":CategoryId"), idOrNull(s.CategoryId))
        .bind(QStringLiteral(":Amount"), s.Amount)
        .bind(QStringLiteral(":strNote"), s.strNote.isNull() ? QStringLiteral("") : s.strNote)
        .bind(QStringLiteral(":Frequency"), FrequencyCode(s.rule.frequency))
        .bind(QStringLiteral(":Interval"), s.rule.interval)
        .bind(QStringLiteral(":DayOfMonth"), monthly ? QVariant(day) : QVariant(QMetaType(QMetaType::Int)))
        .bind(QStringLiteral(":EndDate"), s.end.endDate.isValid() ? QVariant(ToStoredDate(s.end.endDate))
                                                                  : QVariant(QMetaType(QMetaType::QString)))
        .bind(QStringLiteral(":AutoEnter"), s.AutoEnter ? QStringLiteral("Y") : QStringLiteral("N"));
    bindProgress(write, s.NextDueDate, s.end.remaining);
    if (s.ScheduleId > 0) {
        write.bind(QStringLiteral(":ScheduleId"), s.ScheduleId).exec();
        if (write.rowsAffected() == 0)
            throw TillbrookError(QStringLiteral("Scheduled transaction %1 no longer exists.").arg(s.ScheduleId));
        return s.ScheduleId;
    }
    write.exec();
    return int(write.lastInsertId());
}

void DeleteSchedule(TMyDataModule &db, int scheduleId)
{
    SqlStatement(db, QStringLiteral("DELETE FROM tbSchedule WHERE ScheduleId = :ScheduleId"))
        .bind(QStringLiteral(":ScheduleId"), scheduleId)
        .exec();
}

void SetScheduleProgress(TMyDataModule &db, int scheduleId, const QDate &nextDueDate, std::optional<int> remainingCount)
{
    SqlStatement update(db, QStringLiteral("UPDATE tbSchedule SET NextDueDate = :NextDueDate,"
                                           " RemainingCount = :RemainingCount WHERE ScheduleId = :ScheduleId"));
    bindProgress(update, nextDueDate, remainingCount);
    update.bind(QStringLiteral(":ScheduleId"), scheduleId).exec();
    if (update.rowsAffected() == 0)
        throw TillbrookError(QStringLiteral("Scheduled transaction %1 no longer exists.").arg(scheduleId));
}

QList<ScheduleListRow> ScheduleListRows(TMyDataModule &db, int digits)
{
    SqlStatement q(db, ListSql);
    q.exec();
    QList<ScheduleListRow> rows;
    while (q.next()) {
        QString problem;
        const TSchedule s = checkedRow(db, q, &problem);
        ScheduleListRow row;
        row.scheduleId = s.ScheduleId;
        row.account = s.AccountDescription;
        row.payee = s.PayeeName;
        if (row.payee.isEmpty() && s.isTransfer())
            row.payee = QStringLiteral("Transfer to %1").arg(s.OtherAccountDescription);
        row.amount = s.Amount.toGroupedText(digits);
        if (!problem.isEmpty()) {
            row.nextDue = q.value(14).toString();
            row.frequency = QStringLiteral("Not valid: %1").arg(problem);
        } else {
            row.nextDue = s.hasEnded() ? QStringLiteral("Ended") : ToStoredDate(s.NextDueDate);
            row.frequency = s.end.remaining == 1 && !s.end.endDate.isValid() ? QStringLiteral("Once")
                                                                              : FrequencyText(s.rule, s.NextDueDate);
        }
        rows << row;
    }
    return rows;
}

int ScheduleCount(TMyDataModule &db)
{
    SqlStatement q(db, QStringLiteral("SELECT COUNT(*) FROM tbSchedule"));
    q.exec();
    return q.next() ? q.value(0).toInt() : 0;
}

QList<TSchedule> SchedulesDueBy(TMyDataModule &db, const QDate &last, QStringList *problems)
{
    SqlStatement q(db, DueSql);
    q.bind(QStringLiteral(":Last"), ToStoredDate(last)).exec();
    QList<TSchedule> due;
    while (q.next()) {
        QString problem;
        TSchedule s = checkedRow(db, q, &problem);
        if (!problem.isEmpty()) {
            if (problems)
                *problems << problemText(s.ScheduleId, problem);
            continue;
        }
        if (!s.hasEnded() && s.NextDueDate <= last)
            due << s;
    }
    return due;
}

QList<TSchedule> SchedulesOfAccountDueBy(TMyDataModule &db, int accountId, const QDate &last)
{
    SqlStatement q(db, AccountDueSql);
    q.bind(QStringLiteral(":AccountId"), accountId).bind(QStringLiteral(":Last"), ToStoredDate(last)).exec();
    QList<TSchedule> due;
    while (q.next()) {
        QString problem;
        TSchedule s = checkedRow(db, q, &problem);
        if (problem.isEmpty() && !s.hasEnded())
            due << s;
    }
    return due;
}
