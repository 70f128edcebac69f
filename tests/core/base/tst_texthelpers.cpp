#include "core/base/texthelpers.h"

#include <QTest>

class TestTextHelpers : public QObject
{
    Q_OBJECT
private slots:
    void isNumber_data();
    void isNumber();
    void toSqlDate_data();
    void toSqlDate();
    void stripping_data();
    void stripping();
    void dateTextRoundTrip();
    void storedDates_data();
    void storedDates();
    void dateTextsOutsideTheCommonRange();
    void countOf_data();
    void countOf();
};

void TestTextHelpers::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("12.50") << "12.50" << true;
    QTest::newRow("-3") << "-3" << true;
    QTest::newRow("+3") << "+3" << true;
    QTest::newRow("leading blanks") << "  7" << true;
    QTest::newRow("exponent") << "1.5e3" << true;
    QTest::newRow(".5") << ".5" << true;
    QTest::newRow("grouped") << "1,250.00" << false;
    QTest::newRow("trailing letter") << "12a" << false;
    QTest::newRow("trailing blank") << "12 " << false;
    QTest::newRow("trailing line break") << "12\n" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot alone") << "." << false;
    QTest::newRow("sign alone") << "-" << false;
    QTest::newRow("currency") << "$5" << false;
    QTest::newRow("decimal comma") << "12,5" << false;
}

void TestTextHelpers::isNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(IsNumber(text), expected);
}

void TestTextHelpers::toSqlDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 December") << "01/12/2023" << "12/01/2023";
    QTest::newRow("31 March") << "31/03/2024" << "03/31/2024";
    QTest::newRow("3 April") << "03/04/2024" << "04/03/2024";
}

void TestTextHelpers::toSqlDate()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ToSqlDate(text), expected);
}

void TestTextHelpers::stripping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("blanks");
    QTest::newRow("minus blank 12") << "- 12" << "12" << "-12";
    QTest::newRow("line breaks") << "1\r\n2 3" << "123" << "123";
    QTest::newRow("plain") << "45.10" << "45.10" << "45.10";
}

void TestTextHelpers::stripping()
{
    QFETCH(QString, text);
    QFETCH(QString, amount);
    QFETCH(QString, blanks);
    QCOMPARE(StripAmountText(text), amount);
    QCOMPARE(StripBlanks(text), blanks);
    QCOMPARE(RemoveChar(QStringLiteral("1,234.50"), u','), QStringLiteral("1234.50"));
}

void TestTextHelpers::dateTextRoundTrip()
{
    const QDate date(2024, 4, 3);
    QCOMPARE(DateToText(date), QStringLiteral("03/04/2024"));
    QCOMPARE(DateFromText(QStringLiteral("03/04/2024")), date);
    QCOMPARE(ToStoredDate(date), QStringLiteral("2024-04-03"));
    QCOMPARE(FromStoredDate(QStringLiteral("2024-04-03")), date);
    QCOMPARE(YearOfDate(date), 2024);
    QCOMPARE(MonthOfDate(date), 4);
    QVERIFY(!DateFromText(QStringLiteral("31/02/2024")).isValid());
}

void TestTextHelpers::storedDates_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDate>("date");
    QTest::newRow("day") << "2024-04-03" << QDate(2024, 4, 3);
    QTest::newRow("time part") << "2024-04-03 12:30:00" << QDate(2024, 4, 3);
    QTest::newRow("ISO time part") << "2024-04-03T12:30" << QDate(2024, 4, 3);
    QTest::newRow("month 13") << "2024-13-01" << QDate();
    QTest::newRow("30 February") << "2024-02-30" << QDate();
    QTest::newRow("no dashes") << "20240403" << QDate();
    QTest::newRow("letters") << "2024-0a-03" << QDate();
    QTest::newRow("only the first ten characters count") << "2024-04-031" << QDate(2024, 4, 3);
    QTest::newRow("empty") << "" << QDate();
}

void TestTextHelpers::storedDates()
{
    QFETCH(QString, stored);
    QFETCH(QDate, date);
    QCOMPARE(FromStoredDate(stored), date);
    const QByteArray utf8 = stored.toUtf8();
    QCOMPARE(FromStoredDate(QUtf8StringView(utf8.constData(), utf8.size())), date);
}

void TestTextHelpers::dateTextsOutsideTheCommonRange()
{
    QCOMPARE(DateToText(QDate()), QString());
    QCOMPARE(DateToText(QDate(1, 1, 1)), QStringLiteral("01/01/0001"));
    QCOMPARE(DateToText(QDate(2000, 12, 31)), QStringLiteral("31/12/2000"));
    QCOMPARE(DateToText(QDate(12345, 6, 7)), QDate(12345, 6, 7).toString(QStringLiteral("dd/MM/yyyy")));
}

void TestTextHelpers::countOf_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << qint64(0) << "0 transfers";
    QTest::newRow("one") << qint64(1) << "1 transfer";
    QTest::newRow("two") << qint64(2) << "2 transfers";
    QTest::newRow("eleven") << qint64(11) << "11 transfers";
}

void TestTextHelpers::countOf()
{
    QFETCH(qint64, count);
    QFETCH(QString, expected);
    QCOMPARE(CountOf(count, QStringLiteral("transfer"), QStringLiteral("transfers")), expected);
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
