#include "ui/widgets/multicollistbox.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class TestMultiColListbox : public QObject
{
    Q_OBJECT
private slots:
    void fieldsGoToTheirSections_data();
    void fieldsGoToTheirSections();
    void sortsByBytes();
    void headerClickSortsOnlyWhenAllowed();
    void selectionAndEventsPassOn();
    void sectionsFitTheirCaptions();
};

void TestMultiColListbox::fieldsGoToTheirSections_data()
{
    QTest::addColumn<int>("sections");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("three sections") << 3 << "Cash;Expense;10.00" << QStringList{"Cash", "Expense", "10.00"};
    QTest::newRow("two sections drop the third field") << 2 << "Cash;Expense;10.00" << QStringList{"Cash", "Expense"};
    QTest::newRow("no separator: first column only") << 3 << "Cash" << QStringList{"Cash", "", ""};
    QTest::newRow("trailing separator") << 3 << "$;USD;" << QStringList{"$", "USD", ""};
    QTest::newRow("no sections: blanks for separators") << 0 << "Cash;Expense" << QStringList{"Cash Expense"};
}

void TestMultiColListbox::fieldsGoToTheirSections()
{
    QFETCH(int, sections);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    TMultiColListbox list;
    QList<TMultiColListbox::Section> s;
    for (int i = 0; i < sections; ++i)
        s << TMultiColListbox::Section{QStringLiteral("S%1").arg(i), 80};
    list.setSections(s);
    list.addItem(text);
    QCOMPARE(list.columnCount(), shown.size());
    for (int c = 0; c < shown.size(); ++c)
        QCOMPARE(list.topLevelItem(0)->text(c), shown[c]);
    QCOMPARE(list.item(0), text);
    QCOMPARE(list.column(0, 0), TMultiColListbox::field(text, 0));
}

void TestMultiColListbox::sortsByBytes()
{
    TMultiColListbox list;
    list.setSections({{QStringLiteral("Name"), 100}, {QStringLiteral("Type"), 100}});
    list.setItems({QStringLiteral("Zeta;b"), QStringLiteral("alpha;c"), QStringLiteral("Beta;a")});
    list.setAllowSorting(true);
    QCOMPARE(list.items(), (QStringList{"Beta;a", "Zeta;b", "alpha;c"}));
    list.sortByColumn(1);
    QCOMPARE(list.items(), (QStringList{"Beta;a", "Zeta;b", "alpha;c"}));
    list.sortByColumn(0);
    QCOMPARE(list.sortColumnIndex(), 0);
}

void TestMultiColListbox::headerClickSortsOnlyWhenAllowed()
{
    TMultiColListbox list;
    list.setSections({{QStringLiteral("Name"), 100}, {QStringLiteral("Type"), 100}});
    list.setItems({QStringLiteral("b;2"), QStringLiteral("a;3"), QStringLiteral("c;1")});
    emit list.header()->sectionClicked(1);
    QCOMPARE(list.items(), (QStringList{"b;2", "a;3", "c;1"}));
    list.setAllowSorting(true);
    emit list.header()->sectionClicked(1);
    QCOMPARE(list.items(), (QStringList{"c;1", "b;2", "a;3"}));
}

void TestMultiColListbox::selectionAndEventsPassOn()
{
    TMultiColListbox list;
    list.setSections({{QStringLiteral("Name"), 100}});
    list.setItems({QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(list.firstSelectedRow(), -1);
    QSignalSpy doubleClicks(&list, &QTreeWidget::itemDoubleClicked);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setItemIndex(1);
    QCOMPARE(list.itemIndex(), 1);
    QVERIFY(list.isSelected(1));
    QCOMPARE(list.firstSelectedRow(), 1);
    const QRect rect = list.visualItemRect(list.topLevelItem(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(doubleClicks.count(), 1);
}

// The widths are those of the original small font: a caption wider than its section
// widens it instead of being cut off; a wide section keeps its width.
void TestMultiColListbox::sectionsFitTheirCaptions()
{
    TMultiColListbox list;
    const QString caption = QStringLiteral("International Symbol");
    list.setSections({{caption, 20}, {QStringLiteral("Rate"), 250}, {QStringLiteral("Last"), 100}});
    QVERIFY(list.columnWidth(0) > list.header()->fontMetrics().horizontalAdvance(caption));
    QCOMPARE(list.columnWidth(1), 250);
}

QTEST_MAIN(TestMultiColListbox)
#include "tst_multicollistbox.moc"
