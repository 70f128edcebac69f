#include "core/schedule/schedulerule.h"

#include <QTest>

// The date rules of schedules, as pure functions: which days a schedule falls on from
// its first date up to a day, and how its repeat is said in words.
class TestScheduleRule : public QObject
{
    Q_OBJECT
private slots:
    void occurrences_data();
    void occurrences();
    void nextOccurrenceStaysWithinTheStorableYears();
    void frequencyCodes_data();
    void frequencyCodes();
    void frequencyText_data();
    void frequencyText();
    void ruleProblems_data();
    void ruleProblems();
};

namespace {

struct Case
{
    ScheduleRule rule;
    QDate first;
    ScheduleEnd end;
    QDate last;
    QList<QDate> expected;
    int limit = 1000;
};

QList<QDate> days(std::initializer_list<const char *> texts)
{
    QList<QDate> result;
    for (const char *text : texts)
        result << QDate::fromString(QLatin1String(text), Qt::ISODate);
    return result;
}

QDate day(const char *text)
{
    return QDate::fromString(QLatin1String(text), Qt::ISODate);
}

constexpr ScheduleRule Monthly31{ScheduleFrequency::Months, 1, 31};

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(ScheduleRule)

void TestScheduleRule::occurrences_data()
{
    QTest::addColumn<Case>("c");
    QTest::newRow("31st monthly, leap year")
        << Case{Monthly31, day("2024-01-31"), {}, day("2024-12-31"),
                days({"2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30", "2024-05-31", "2024-06-30",
                      "2024-07-31", "2024-08-31", "2024-09-30", "2024-10-31", "2024-11-30", "2024-12-31"})};
    QTest::newRow("31st monthly, common year")
        << Case{Monthly31, day("2023-01-31"), {}, day("2023-12-31"),
                days({"2023-01-31", "2023-02-28", "2023-03-31", "2023-04-30", "2023-05-31", "2023-06-30",
                      "2023-07-31", "2023-08-31", "2023-09-30", "2023-10-31", "2023-11-30", "2023-12-31"})};
    QTest::newRow("31st monthly, starting on a short month's last day")
        << Case{Monthly31, day("2023-02-28"), {}, day("2023-05-31"),
                days({"2023-02-28", "2023-03-31", "2023-04-30", "2023-05-31"})};
    QTest::newRow("30th every 3 months")
        << Case{{ScheduleFrequency::Months, 3, 30}, day("2023-11-30"), {}, day("2024-09-01"),
                days({"2023-11-30", "2024-02-29", "2024-05-30", "2024-08-30"})};
    QTest::newRow("29 February yearly")
        << Case{{ScheduleFrequency::Years, 1, 29}, day("2024-02-29"), {}, day("2029-03-01"),
                days({"2024-02-29", "2025-02-28", "2026-02-28", "2027-02-28", "2028-02-29", "2029-02-28"})};
    QTest::newRow("every 2 weeks across a year end")
        << Case{{ScheduleFrequency::Weeks, 2, 0}, day("2024-12-13"), {}, day("2025-01-31"),
                days({"2024-12-13", "2024-12-27", "2025-01-10", "2025-01-24"})};
    QTest::newRow("every 3 days across February")
        << Case{{ScheduleFrequency::Days, 3, 0}, day("2024-02-25"), {}, day("2024-03-06"),
                days({"2024-02-25", "2024-02-28", "2024-03-02", "2024-03-05"})};
    QTest::newRow("end after 3 times")
        << Case{{ScheduleFrequency::Months, 1, 15}, day("2024-01-15"), {QDate(), 3}, day("2030-01-01"),
                days({"2024-01-15", "2024-02-15", "2024-03-15"})};
    QTest::newRow("once")
        << Case{{ScheduleFrequency::Months, 1, 15}, day("2024-01-15"), {QDate(), 1}, day("2030-01-01"),
                days({"2024-01-15"})};
    QTest::newRow("nothing left")
        << Case{{ScheduleFrequency::Months, 1, 15}, day("2024-01-15"), {QDate(), 0}, day("2030-01-01"), {}};
    QTest::newRow("end on a date that is an occurrence")
        << Case{{ScheduleFrequency::Weeks, 1, 0}, day("2024-01-01"), {day("2024-01-29"), std::nullopt},
                day("2024-12-31"), days({"2024-01-01", "2024-01-08", "2024-01-15", "2024-01-22", "2024-01-29"})};
    QTest::newRow("end on a date between occurrences")
        << Case{{ScheduleFrequency::Weeks, 1, 0}, day("2024-01-01"), {day("2024-01-20"), std::nullopt},
                day("2024-12-31"), days({"2024-01-01", "2024-01-08", "2024-01-15"})};
    QTest::newRow("count reached before the end date")
        << Case{{ScheduleFrequency::Days, 1, 0}, day("2024-01-01"), {day("2024-01-20"), 2}, day("2024-12-31"),
                days({"2024-01-01", "2024-01-02"})};
    QTest::newRow("first date 14 months in the past")
        << Case{{ScheduleFrequency::Months, 1, 5}, day("2023-10-05"), {}, day("2024-12-05"),
                days({"2023-10-05", "2023-11-05", "2023-12-05", "2024-01-05", "2024-02-05", "2024-03-05",
                      "2024-04-05", "2024-05-05", "2024-06-05", "2024-07-05", "2024-08-05", "2024-09-05",
                      "2024-10-05", "2024-11-05", "2024-12-05"})};
    QTest::newRow("first date after the last day")
        << Case{{ScheduleFrequency::Months, 1, 5}, day("2024-12-06"), {}, day("2024-12-05"), {}};
    QTest::newRow("at most the limit")
        << Case{{ScheduleFrequency::Days, 1, 0}, day("2024-01-01"), {}, day("2024-12-31"),
                days({"2024-01-01", "2024-01-02", "2024-01-03"}), 3};
}

void TestScheduleRule::occurrences()
{
    QFETCH(Case, c);
    QCOMPARE(Occurrences(c.rule, c.first, c.end, c.last, c.limit), c.expected);
}

void TestScheduleRule::nextOccurrenceStaysWithinTheStorableYears()
{
    QCOMPARE(NextOccurrence({ScheduleFrequency::Years, 1, 1}, day("9999-06-01")), QDate());
    QCOMPARE(NextOccurrence({ScheduleFrequency::Days, 1, 0}, day("9999-12-31")), QDate());
    QCOMPARE(NextOccurrence({ScheduleFrequency::Months, 1, 31}, day("9999-11-30")), day("9999-12-31"));
    QCOMPARE(NextOccurrence({ScheduleFrequency::Months, 0, 31}, day("2024-01-31")), QDate());
    QCOMPARE(Occurrences({ScheduleFrequency::Years, 1, 1}, day("9998-01-01"), {}, day("9999-12-31"), 10),
             days({"9998-01-01", "9999-01-01"}));
}

void TestScheduleRule::frequencyCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("frequency"); // -1: not a frequency
    QTest::newRow("D") << "D" << int(ScheduleFrequency::Days);
    QTest::newRow("w") << "w" << int(ScheduleFrequency::Weeks);
    QTest::newRow("M with blanks") << " M " << int(ScheduleFrequency::Months);
    QTest::newRow("Y") << "Y" << int(ScheduleFrequency::Years);
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("word") << "Monthly" << -1;
}

void TestScheduleRule::frequencyCodes()
{
    QFETCH(QString, code);
    QFETCH(int, frequency);
    const std::optional<ScheduleFrequency> read = FrequencyFromCode(code);
    QCOMPARE(read ? int(*read) : -1, frequency);
    if (read)
        QCOMPARE(FrequencyCode(*read), code.trimmed().toUpper());
}

void TestScheduleRule::frequencyText_data()
{
    QTest::addColumn<ScheduleRule>("rule");
    QTest::addColumn<QDate>("next");
    QTest::addColumn<QString>("text");
    QTest::newRow("daily") << ScheduleRule{ScheduleFrequency::Days, 1, 0} << day("2024-01-01") << "Daily";
    QTest::newRow("every 3 days") << ScheduleRule{ScheduleFrequency::Days, 3, 0} << day("2024-01-01") << "Every 3 days";
    QTest::newRow("weekly") << ScheduleRule{ScheduleFrequency::Weeks, 1, 0} << day("2024-01-01") << "Weekly";
    QTest::newRow("every 2 weeks") << ScheduleRule{ScheduleFrequency::Weeks, 2, 0} << day("2024-01-01") << "Every 2 weeks";
    QTest::newRow("monthly on 31 shown in April")
        << ScheduleRule{ScheduleFrequency::Months, 1, 31} << day("2024-04-30") << "Monthly on day 31";
    QTest::newRow("every 3 months") << ScheduleRule{ScheduleFrequency::Months, 3, 15} << day("2024-01-15")
                                    << "Every 3 months on day 15";
    QTest::newRow("yearly") << ScheduleRule{ScheduleFrequency::Years, 1, 29} << day("2025-02-28")
                            << "Yearly on 29 February";
    QTest::newRow("every 2 years") << ScheduleRule{ScheduleFrequency::Years, 2, 1} << day("2024-03-01")
                                   << "Every 2 years on 1 March";
}

void TestScheduleRule::frequencyText()
{
    QFETCH(ScheduleRule, rule);
    QFETCH(QDate, next);
    QFETCH(QString, text);
    QCOMPARE(FrequencyText(rule, next), text);
}

void TestScheduleRule::ruleProblems_data()
{
    QTest::addColumn<ScheduleRule>("rule");
    QTest::addColumn<bool>("usable");
    QTest::newRow("monthly on 31") << ScheduleRule{ScheduleFrequency::Months, 1, 31} << true;
    QTest::newRow("every 999 days") << ScheduleRule{ScheduleFrequency::Days, 999, 0} << true;
    QTest::newRow("interval 0") << ScheduleRule{ScheduleFrequency::Days, 0, 0} << false;
    QTest::newRow("interval 1000") << ScheduleRule{ScheduleFrequency::Days, 1000, 0} << false;
    QTest::newRow("day 32") << ScheduleRule{ScheduleFrequency::Months, 1, 32} << false;
    QTest::newRow("day -1") << ScheduleRule{ScheduleFrequency::Months, 1, -1} << false;
}

void TestScheduleRule::ruleProblems()
{
    QFETCH(ScheduleRule, rule);
    QFETCH(bool, usable);
    QCOMPARE(RuleProblem(rule).isEmpty(), usable);
}

QTEST_GUILESS_MAIN(TestScheduleRule)
#include "tst_schedulerule.moc"
