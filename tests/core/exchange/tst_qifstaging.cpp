#include "core/exchange/qifdate.h"
#include "core/exchange/qifreader.h"
#include "core/exchange/qifstaging.h"
#include "core/exchange/qiftext.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray dataFile(const QString &name)
{
    QFile file(QStringLiteral(TILLBROOK_QIF_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

struct RowView
{
    QDate date;
    QString amount;
    QString payee;
    QString category;
    QString account;
    QString other;
};

RowView viewOf(const QifStaging &s, const QifStagedRow &row)
{
    return {row.date, row.amount.toPlainText(2), s.names[row.payee], s.names[row.category],
            s.references.value(row.account), row.isTransfer() ? s.references.value(row.otherAccount) : QString()};
}

} // namespace

class TestQifStaging : public QObject
{
    Q_OBJECT

private slots:
    void datesOfEveryForm_data();
    void datesOfEveryForm();
    void utf8IsTellApartFromWindows1252_data();
    void utf8IsTellApartFromWindows1252();
    void windows1252HighBytes();
    void readerSplitsRecords();
    void recordsBeforeAnyHeaderAreBankRecords();
    void lineEndings_data();
    void lineEndings();
    void statusMarks_data();
    void statusMarks();
    void bankFileFollowsTheDialect();
    void sectionsOfSeveralAccountsStoreEachTransferOnce();
    void encodingsAndDateForms_data();
    void encodingsAndDateForms();
    void amountsWithGroupingAreRead_data();
    void amountsWithGroupingAreRead();
    void unreadableContentNamesItsLine_data();
    void unreadableContentNamesItsLine();
    void negativeTransferIsKeptAsWritten();
    void splitsGoWholeToTheCategory();
    void missingFileIsAnError();
};

void TestQifStaging::datesOfEveryForm_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("dayFirst");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("M/D'YYYY") << QByteArray("1/15'2004") << false << QDate(2004, 1, 15);
    QTest::newRow("M/D'YY 2000s") << QByteArray("1/15'04") << false << QDate(2004, 1, 15);
    QTest::newRow("M/D'YY last of 2000s") << QByteArray("12/31'49") << false << QDate(2049, 12, 31);
    QTest::newRow("M/D'YY 1900s") << QByteArray("12/31'50") << false << QDate(1950, 12, 31);
    QTest::newRow("blanks inside") << QByteArray(" 1/ 2'03") << false << QDate(2003, 1, 2);
    QTest::newRow("blank-padded one-digit year") << QByteArray("1/ 2' 3") << false << QDate(2003, 1, 2);
    QTest::newRow("M/D/YYYY") << QByteArray("3/5/2005") << false << QDate(2005, 3, 5);
    QTest::newRow("M/D/YY") << QByteArray("3/5/99") << false << QDate(1999, 3, 5);
    QTest::newRow("day first file") << QByteArray("3/5/2005") << true << QDate(2005, 5, 3);
    QTest::newRow("day first apostrophe") << QByteArray("15/1'04") << true << QDate(2004, 1, 15);
    QTest::newRow("ISO") << QByteArray("2005-03-04") << true << QDate(2005, 3, 4);
    QTest::newRow("dotted") << QByteArray("4.3.2005") << false << QDate(2005, 3, 4);
    QTest::newRow("dotted two-digit year") << QByteArray("4.3.05") << false << QDate(2005, 3, 4);
    QTest::newRow("leap day") << QByteArray("2/29'2004") << false << QDate(2004, 2, 29);
    QTest::newRow("no such day") << QByteArray("2/30'2004") << false << QDate();
    QTest::newRow("month 13 month first") << QByteArray("13/1'2004") << false << QDate();
    QTest::newRow("no year") << QByteArray("1/15") << false << QDate();
    QTest::newRow("three-digit year") << QByteArray("1/15'204") << false << QDate();
    QTest::newRow("letters") << QByteArray("Jan 15 2004") << false << QDate();
    QTest::newRow("empty line value") << QByteArray("*") << false << QDate();
    QTest::newRow("year zero") << QByteArray("0000-01-01") << false << QDate();
    QTest::newRow("ISO with two-digit year") << QByteArray("04-01-15") << false << QDate();
    QTest::newRow("very long") << QByteArray(200, '1') << false << QDate();
}

void TestQifStaging::datesOfEveryForm()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, dayFirst);
    QFETCH(QDate, expected);
    QCOMPARE(QifDate(ParseQifDateParts(text), dayFirst), expected);
}

void TestQifStaging::utf8IsTellApartFromWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("ascii") << QByteArray("Grocer") << true;
    QTest::newRow("two-byte") << QByteArray("Caf\xc3\xa9") << true;
    QTest::newRow("euro sign") << QByteArray("\xe2\x82\xac") << true;
    QTest::newRow("four-byte") << QByteArray("\xf0\x9f\x98\x80") << true;
    QTest::newRow("latin byte alone") << QByteArray("Caf\xe9") << false;
    QTest::newRow("cut short at the end") << QByteArray("Caf\xc3") << false;
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << false;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false;
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    QTest::newRow("continuation alone") << QByteArray("\x80") << false;
    // Long ASCII runs are checked eight bytes at a time: what follows them, at every
    // place of the last block, is still checked.
    for (int ascii : {7, 8, 9, 15, 16, 17}) {
        const QByteArray run(ascii, 'a');
        QTest::addRow("two-byte after %d ASCII", ascii) << run + "\xc3\xa9z" << true;
        QTest::addRow("latin byte after %d ASCII", ascii) << run + "\xe9" + run << false;
        QTest::addRow("cut short after %d ASCII", ascii) << run + "\xe2\x82" << false;
    }
}

void TestQifStaging::utf8IsTellApartFromWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QCOMPARE(IsValidUtf8(bytes), utf8);
}

void TestQifStaging::windows1252HighBytes()
{
    QCOMPARE(DecodeText("\x80 \x93q\x94 \xe9", TextEncoding::Windows1252), QStringLiteral(u"€ “q” é"));
}

void TestQifStaging::readerSplitsRecords()
{
    // Codes without regard to case, the last of a repeated code, "*" for an empty
    // value, a header ending an open record, and a last record without "^".
    const QByteArray bytes = "!type:bank\r\nd1/1'04\r\nt5\r\nt6\r\nP\r\nXunknown\r\n^\r\n"
                             "D1/2'04\n!Type:Cash\nD1/3'04\nT7";
    QList<QifRecord> records;
    ReadQifRecords(bytes, [&](const QifRecord &r) { records.append(r); });
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0].section, QifSection::Bank);
    QCOMPARE(records[0].value(QifField::Amount), QByteArrayView("6"));
    QCOMPARE(records[0].line(QifField::Amount), 4);
    QCOMPARE(records[0].value(QifField::Payee), QByteArrayView("*"));
    QVERIFY(!records[0].has(QifField::Memo));
    QCOMPARE(records[1].section, QifSection::Bank);
    QVERIFY(!records[1].has(QifField::Amount));
    QCOMPARE(records[2].section, QifSection::Cash);
    QCOMPARE(records[2].value(QifField::Amount), QByteArrayView("7"));
    QVERIFY(records[2].sectionNumber > records[1].sectionNumber);
}

void TestQifStaging::recordsBeforeAnyHeaderAreBankRecords()
{
    const QifStaging s = StageQif(QByteArray("D01/02/2004\nT-12.50\nPGrocer\n^\n!Type:Cash\nD01/03/2004\nT-3\n^\n"));
    QCOMPARE(s.rows.size(), size_t(2));
    QCOMPARE(viewOf(s, s.rows[0]).account, QStringLiteral("[Bank]"));
    QCOMPARE(viewOf(s, s.rows[0]).payee, QStringLiteral("Grocer"));
    QCOMPARE(viewOf(s, s.rows[1]).account, QStringLiteral("[Cash]"));
}

// LF, CR LF and an old Macintosh file's CR alone read alike.
void TestQifStaging::lineEndings_data()
{
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestQifStaging::lineEndings()
{
    QFETCH(QByteArray, end);
    const QByteArray file = QByteArrayList{"!Type:Bank", "D01/02/2004", "T-12.50", "PGrocer", "CX", "^",
                                           "D01/03/2004", "T100.00", "PEmployer", "^", ""}
                                .join(end);
    const QifStaging s = StageQif(file);
    QCOMPARE(s.rows.size(), size_t(2));
    QCOMPARE(viewOf(s, s.rows[0]).payee, QStringLiteral("Grocer"));
    QCOMPARE(viewOf(s, s.rows[0]).amount, QStringLiteral("-12.50"));
    QCOMPARE(s.rows[0].status, StagedStatus::Reconciled);
    QCOMPARE(viewOf(s, s.rows[1]).date, QDate(2004, 1, 3));
    QCOMPARE(s.rows[1].line, 7);
}

// What QIF's "C" line means: reconciled for "X" and "R", cleared for "*" and "c".
void TestQifStaging::statusMarks_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<int>("status");
    QTest::newRow("X") << QByteArray("X") << int(StagedStatus::Reconciled);
    QTest::newRow("x") << QByteArray("x") << int(StagedStatus::Reconciled);
    QTest::newRow("R") << QByteArray("R") << int(StagedStatus::Reconciled);
    QTest::newRow("*") << QByteArray("*") << int(StagedStatus::Cleared);
    QTest::newRow("c") << QByteArray("c") << int(StagedStatus::Cleared);
    QTest::newRow("blank") << QByteArray(" ") << int(StagedStatus::Unset);
    QTest::newRow("empty") << QByteArray() << int(StagedStatus::Unset);
    QTest::newRow("unknown") << QByteArray("Q") << int(StagedStatus::Unset);
    QTest::newRow("two marks") << QByteArray("XX") << int(StagedStatus::Unset);
}

void TestQifStaging::statusMarks()
{
    QFETCH(QByteArray, mark);
    QFETCH(int, status);
    QCOMPARE(int(QifStatusOf(mark)), status);
}

void TestQifStaging::bankFileFollowsTheDialect()
{
    const QifStaging s = StageQif(dataFile(QStringLiteral("bank.qif")));
    // The opening balance names the file's own account; every reference once.
    QCOMPARE(s.references, QStringList({QStringLiteral("[Checking]"), QStringLiteral("[Savings]")}));
    QCOMPARE(s.rows.size(), size_t(6)); // the record without a date is passed over

    const RowView opening = viewOf(s, s.rows[0]);
    QCOMPARE(opening.date, QDate(2004, 1, 2));
    QCOMPARE(opening.amount, QStringLiteral("1500.00"));
    QCOMPARE(opening.account, QStringLiteral("[Checking]"));
    QVERIFY(!s.rows[0].isTransfer());
    QCOMPARE(s.rows[0].status, StagedStatus::Reconciled); // "CX"

    QCOMPARE(s.rows[1].status, StagedStatus::Cleared); // "C*"
    QCOMPARE(s.rows[1].note, QStringLiteral("Weekly shop"));
    QCOMPARE(viewOf(s, s.rows[1]).category, QStringLiteral("Food"));
    QCOMPARE(s.rows[1].line, 8);

    QCOMPARE(viewOf(s, s.rows[2]).payee, QStringLiteral("*")); // "P" without text

    const RowView in = viewOf(s, s.rows[3]);
    QCOMPARE(in.other, QStringLiteral("[Savings]"));
    QCOMPARE(in.amount, QStringLiteral("250.00"));
    const RowView out = viewOf(s, s.rows[4]);
    QCOMPARE(out.other, QStringLiteral("[Savings]"));
    QCOMPARE(out.amount, QStringLiteral("-30.00"));
    QCOMPARE(s.transferCount, 2);

    // The last record has no "^" and no "P".
    QCOMPARE(viewOf(s, s.rows[5]).date, QDate(2004, 2, 11));
    QCOMPARE(viewOf(s, s.rows[5]).payee, QString());
}

void TestQifStaging::sectionsOfSeveralAccountsStoreEachTransferOnce()
{
    const QifStaging s = StageQif(dataFile(QStringLiteral("two-accounts.qif")));
    QCOMPARE(s.references, QStringList({QStringLiteral("[Savings]"), QStringLiteral("[Checking]"),
                                        QStringLiteral("[Asset]"), QStringLiteral("[Liability]")}));
    QCOMPARE(s.duplicateTransferCount, 2);
    QCOMPARE(s.transferCount, 3);
    QCOMPARE(s.rows.size(), size_t(6)); // the category list and the investment section give none

    QStringList seen;
    for (const QifStagedRow &row : s.rows) {
        const RowView v = viewOf(s, row);
        seen << QStringLiteral("%1 %2 %3>%4").arg(v.date.toString(Qt::ISODate), v.amount, v.account, v.other);
    }
    QCOMPARE(seen, QStringList({
                       QStringLiteral("2005-03-01 -200.00 [Checking]>[Savings]"),
                       QStringLiteral("2005-03-02 -50.00 [Checking]>"),
                       QStringLiteral("2005-03-03 75.00 [Checking]>[Savings]"),
                       QStringLiteral("2005-03-04 -75.00 [Savings]>[Checking]"),
                       QStringLiteral("2005-03-06 1000.00 [Asset]>"),
                       QStringLiteral("2005-03-07 -300.00 [Liability]>"),
                   }));
}

void TestQifStaging::encodingsAndDateForms_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QList<QDate>>("dates");

    QTest::newRow("day first, Windows-1252, CRLF")
        << QStringLiteral("dayfirst-cp1252-crlf.qif") << QStringLiteral(u"Café Central") << QStringLiteral("[Credit Card]")
        << QList<QDate>{QDate(2005, 1, 13), QDate(2005, 3, 2)};
    QTest::newRow("UTF-8 with byte-order mark, other forms")
        << QStringLiteral("forms-utf8-bom.qif") << QStringLiteral(u"Café €") << QStringLiteral("[Cash]")
        << QList<QDate>{QDate(2005, 3, 4), QDate(2005, 3, 4), QDate(2005, 3, 5), QDate(1999, 3, 6)};
}

void TestQifStaging::encodingsAndDateForms()
{
    QFETCH(QString, file);
    QFETCH(QString, payee);
    QFETCH(QString, reference);
    QFETCH(QList<QDate>, dates);
    const QifStaging s = StageQif(dataFile(file));
    QCOMPARE(s.names[s.rows.at(0).payee], payee);
    QCOMPARE(s.references, QStringList{reference});
    QList<QDate> read;
    for (const QifStagedRow &row : s.rows)
        read.append(row.date);
    QCOMPARE(read, dates);
}

void TestQifStaging::amountsWithGroupingAreRead_data()
{
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<qint64>("units");
    QTest::newRow("grouped") << QByteArray("1,234.56") << qint64(12345600);
    QTest::newRow("grouped negative") << QByteArray("-1,234,567.5") << qint64(-12345675000);
    QTest::newRow("blanks") << QByteArray(" -12 .5") << qint64(-125000);
    QTest::newRow("whole") << QByteArray("100") << qint64(1000000);
}

void TestQifStaging::amountsWithGroupingAreRead()
{
    QFETCH(QByteArray, amount);
    QFETCH(qint64, units);
    const QifStaging s = StageQif("!Type:Bank\nD1/1'04\nT" + amount + "\n^\n");
    QCOMPARE(s.rows.size(), size_t(1));
    QCOMPARE(s.rows[0].amount.units(), units);
}

void TestQifStaging::unreadableContentNamesItsLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    const QByteArray good = "!Type:Bank\nD1/1'04\nT5\n^\n";
    QTest::newRow("date") << good + "D1/x'04\nT5\n^\n" << 5 << QStringLiteral("the date \"1/x'04\" cannot be read.");
    QTest::newRow("empty date") << good + "D\nT5\n^\n" << 5 << QStringLiteral("the date \"*\" cannot be read.");
    QTest::newRow("no such day") << good + "D2/30'04\nT5\n^\n" << 5
                                 << QStringLiteral("the date is not a day of the calendar.");
    // Day first is decided by the whole file: 13/1 makes 1/31 read as month 31.
    QTest::newRow("day first elsewhere") << good + "D1/31'04\nT5\n^\nD13/1'04\nT5\n^\n" << 5
                                         << QStringLiteral("the date is not a day of the calendar (the file writes the day first).");
    QTest::newRow("amount") << good + "D1/2'04\nT12,3x\n^\n" << 6 << QStringLiteral("the amount \"12,3x\" cannot be read.");
    QTest::newRow("empty amount") << good + "D1/2'04\nT\n^\n" << 6 << QStringLiteral("the amount \"*\" cannot be read.");
    QTest::newRow("no amount") << good + "D1/2'04\nPShop\n^\n" << 5
                               << QStringLiteral("the transaction has no amount (\"T\" line).");
    QTest::newRow("amount too large") << good + "D1/2'04\nT99999999999999999999\n^\n" << 6
                                      << QStringLiteral("the amount \"99999999999999999999\" cannot be read.");
}

void TestQifStaging::unreadableContentNamesItsLine()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, reason);
    try {
        StageQif(content);
        QFAIL("no error");
    } catch (const QifError &e) {
        QCOMPARE(e.line(), line);
        QCOMPARE(e.reason(), reason);
        QCOMPARE(e.describe(QStringLiteral("a.qif")), QStringLiteral("a.qif, line %1: %2").arg(line).arg(reason));
    }
}

void TestQifStaging::negativeTransferIsKeptAsWritten()
{
    // A transfer without its twin stays, signed as its own account sees it.
    const QifStaging s = StageQif("!Type:Bank\nD1/1'04\nT-40\nL[Savings]/Class\n^\nD1/1'04\nT-40\nL[Savings]\n^\n");
    QCOMPARE(s.rows.size(), size_t(2)); // two equal transfers from one side are not twins
    QCOMPARE(s.references, QStringList({QStringLiteral("[Savings]"), QStringLiteral("[Bank]")}));
    QCOMPARE(s.rows[0].amount.units(), -400000);
    QCOMPARE(s.references[s.rows[0].otherAccount], QStringLiteral("[Savings]"));
    QCOMPARE(s.references[s.rows[0].account], QStringLiteral("[Bank]"));
    QCOMPARE(s.duplicateTransferCount, 0);
}

void TestQifStaging::splitsGoWholeToTheCategory()
{
    const QifStaging s = StageQif("!Type:Bank\nD1/1'04\nT-100\nPShop\nLHousehold\nSFood\nEbread\n$-60\n"
                                  "SGarden\n$-40\n^\n");
    QCOMPARE(s.rows.size(), size_t(1));
    QCOMPARE(s.rows[0].amount.units(), -1000000);
    QCOMPARE(s.names[s.rows[0].category], QStringLiteral("Household"));
    QVERIFY(!s.names.contains(QStringLiteral("Food")));
}

void TestQifStaging::missingFileIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(TillbrookError, ReadImportFile(QStringLiteral("/nonexistent/folder/file.qif")));
}

QTEST_GUILESS_MAIN(TestQifStaging)
#include "tst_qifstaging.moc"
