#include "core/base/notices.h"
#include "support/scripteddialogs.h"
#include "ui/feedback/vistadialog.h"
#include "ui/feedback/widgetnotifier.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestVistaDialog : public QObject
{
    Q_OBJECT
private slots:
    void enterAnswersNo();
    void moreUncoversTheDetails();
    void buttonsFollowTheirCaptions();
};

namespace {
MessageDialogRequest question()
{
    MessageDialogRequest r;
    r.caption = QStringLiteral("Tillbrook");
    r.top = QStringLiteral("Continue?");
    r.details = QStringLiteral("The details");
    r.button1 = QStringLiteral("Yes");
    r.button2 = QStringLiteral("No");
    r.icon = DialogIcon::Question;
    return r;
}
} // namespace

void TestVistaDialog::enterAnswersNo()
{
    // Through the real notifier: the hook presses Enter on the shown dialog and keeps
    // the caption of the button that answered.
    WidgetNotifier notifier;
    QString answered;
    ScriptedDialogs dialogs;
    dialogs.otherwise([&answered](QDialog &dialog) {
        dialog.show();
        QTest::qWait(1);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Return);
        answered = static_cast<TfrmVistaDlg &>(dialog).result();
        return dialog.result();
    });
    QCOMPARE(AskYesNo(notifier, QStringLiteral("Continue?")), int(AskNo));
    QCOMPARE(answered, QStringLiteral("No"));
}

void TestVistaDialog::moreUncoversTheDetails()
{
    TfrmVistaDlg dialog(question());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.lblMiddleMessage->isVisible());
    QVERIFY(dialog.btnMore->isVisible());
    const int before = dialog.height();
    QTest::mouseClick(dialog.btnMore, Qt::LeftButton);
    QVERIFY(dialog.lblMiddleMessage->isVisible());
    QVERIFY(!dialog.btnMore->isVisible());
    QTRY_VERIFY2(dialog.height() > before, qPrintable(QStringLiteral("%1 -> %2 (hint %3)").arg(before).arg(dialog.height()).arg(dialog.sizeHint().height())));
}

void TestVistaDialog::buttonsFollowTheirCaptions()
{
    MessageDialogRequest r = question();
    r.details.clear();
    r.button1.clear();
    r.button2 = QStringLiteral("Ok");
    TfrmVistaDlg dialog(r);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.btnMore->isVisible());
    QVERIFY(!dialog.Button1->isVisible());
    QTest::mouseClick(dialog.Button2, Qt::LeftButton);
    QCOMPARE(dialog.result(), QStringLiteral("Ok"));

    TfrmVistaDlg closed(question());
    closed.show();
    closed.reject();
    QCOMPARE(closed.result(), QString());
}

QTEST_MAIN(TestVistaDialog)
#include "tst_vistadialog.moc"
