#include "ui/feedback/widgetnotifier.h"
#include "ui/register/finddialog.h"
#include "ui/widgets/pubstrgrid.h"
#include "support/scripteddialogs.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Messages open over the window the user is looking at: the modal dialog on screen,
// else the main window.
class TestWidgetNotifier : public QObject
{
    Q_OBJECT
private slots:
    void messageOverTheMainWindow();
    void messageOverTheModalDialog();
    void findsMessagesOverTheFindDialog();
};

namespace {

// The parent and text of the next message box, answered without showing it.
struct SeenBox
{
    QWidget *parent = nullptr;
    QString text;
};

ScriptedDialogs::Answer record(SeenBox &seen)
{
    return [&seen](QDialog &dialog) {
        seen.parent = dialog.parentWidget();
        if (auto *box = qobject_cast<QMessageBox *>(&dialog))
            seen.text = box->text();
        return int(QDialog::Accepted);
    };
}

} // namespace

void TestWidgetNotifier::messageOverTheMainWindow()
{
    QWidget main;
    WidgetNotifier notifier;
    notifier.setDialogParent(&main);
    ScriptedDialogs dialogs;
    SeenBox seen;
    dialogs.then(record(seen));
    notifier.showMessageBox(MessageBoxKind::Information, QStringLiteral("Hello"));
    QCOMPARE(seen.parent, &main);
}

void TestWidgetNotifier::messageOverTheModalDialog()
{
    QWidget main;
    WidgetNotifier notifier;
    notifier.setDialogParent(&main);
    QDialog modal(&main);
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ScriptedDialogs dialogs;
    SeenBox seen;
    dialogs.then(record(seen));
    notifier.showMessageBox(MessageBoxKind::Warning, QStringLiteral("Hello"));
    QCOMPARE(seen.parent, &modal);
}

void TestWidgetNotifier::findsMessagesOverTheFindDialog()
{
    QWidget main;
    TPubStrGrid grid(&main);
    grid.SetColCount(2);
    grid.SetRowCount(3);
    grid.SetCell(1, 0, QStringLiteral("Payee"));
    grid.SetCell(1, 1, QStringLiteral("Grocer"));
    grid.SetCell(1, 2, QStringLiteral("Bakery"));
    WidgetNotifier notifier;
    notifier.setDialogParent(&main);

    ScriptedDialogs dialogs;
    SeenBox seen;
    TFind *shownFind = nullptr;
    dialogs.then([&](QDialog &dialog) {
        // As exec would show it: modal.
        shownFind = qobject_cast<TFind *>(&dialog);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        shownFind->edtFind->setText(QStringLiteral("Nowhere"));
        shownFind->btnFindNext->click();
        dialog.hide();
        return int(QDialog::Rejected);
    });
    dialogs.then(record(seen));
    OpenFind(notifier, &grid, &main);
    QVERIFY(shownFind);
    QCOMPARE(seen.text, QStringLiteral("No more entries found."));
    QCOMPARE(seen.parent, shownFind);
}

QTEST_MAIN(TestWidgetNotifier)
#include "tst_widgetnotifier.moc"
