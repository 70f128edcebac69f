#include "ui/lists/itemwidgets.h"
#include "core/lists/items.h"
#include "support/testdatafile.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>
#include <QTest>

class TestItemWidgets : public QObject
{
    Q_OBJECT
private slots:
    void comboHoldsTheNamesAndNothingSelected_data();
    void comboHoldsTheNamesAndNothingSelected();
    void listReplacesItsRows();
};

void TestItemWidgets::comboHoldsTheNamesAndNothingSelected_data()
{
    QTest::addColumn<bool>("editable");
    QTest::newRow("drop-down list") << false;
    QTest::newRow("editable box") << true;
}

void TestItemWidgets::comboHoldsTheNamesAndNothingSelected()
{
    QFETCH(bool, editable);
    TestDataFile f;
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, Type) VALUES ('Savings', 'Bank'), ('Cash', 'Cash'), ('', 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type) VALUES ('Say \"hi\"', 'Expense'), ('Boss', 'Income')"));
    QComboBox combo;
    combo.setEditable(editable);
    combo.addItems({QStringLiteral("stale")});
    combo.setCurrentIndex(0);
    FillItemCombo(&combo, AccountNames(f.db()));
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i)
        shown << combo.itemText(i);
    QCOMPARE(shown, (QStringList{"Savings", "Cash"}));
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.currentText(), QString());
    FillItemCombo(&combo, ItemNames(f.db(), ItemKind::Payees));
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QStringLiteral("Say \"hi\""));
}

void TestItemWidgets::listReplacesItsRows()
{
    TestDataFile f;
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));
    TMultiColListbox list;
    list.setSections({{QStringLiteral("Description"), 170}, {QStringLiteral("Type"), 110}});
    list.setItems({QStringLiteral("old;row"), QStringLiteral("other;row")});
    list.setItemIndex(1);
    const QStringList names = FillItemList(&list, f.db(), ItemKind::Categories);
    QCOMPARE(names, QStringList{"Food"});
    QCOMPARE(list.items(), QStringList{"Food;Expense;0; "});
    QCOMPARE(list.firstSelectedRow(), -1);
}

QTEST_MAIN(TestItemWidgets)
#include "tst_itemwidgets.moc"
