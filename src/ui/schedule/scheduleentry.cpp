#include "ui/schedule/scheduleentry.h"

#include "core/base/notices.h"
#include "core/schedule/duelist.h"
#include "core/schedule/schedulevalues.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/schedule/scheduledue.h"
#include "ui/schedule/scheduleedit.h"
#include "ui/schedule/schedulelist.h"

bool OpenScheduleList(Session &session, QWidget *parent)
{
    bool changed = false;
    const bool committed = Guarded(session.notifier, [&] {
        WorkGuard work(session.MyDataModule);
        {
            TfrmScheduleList dialog(session.MyDataModule, session.notifier, session.options.DecimalDigits, parent);
            ExecDialog(dialog);
            changed = dialog.changed();
        }
        work.commit();
    });
    return committed && changed;
}

bool OpenScheduleEditorFor(Session &session, QWidget *parent, const TTransaction &transaction)
{
    bool saved = false;
    Guarded(session.notifier, [&] {
        WorkGuard work(session.MyDataModule);
        TfrmScheduleEdit editor(session.MyDataModule, session.notifier, parent);
        editor.setValues(ValuesOfTransaction(session.MyDataModule, transaction, session.options.DecimalDigits));
        saved = ExecDialog(editor) == QDialog::Accepted && editor.savedId() > 0;
        work.commit();
    });
    return saved;
}

int CheckSchedulesDue(Session &session, QWidget *parent, const QDate &today)
{
    int entered = 0;
    Guarded(session.notifier, [&] {
        const DueCheckResult check = RunDueCheck(session.MyDataModule, today);
        entered = check.entered;
        if (!check.problems.isEmpty()) {
            QString text = check.problems.first();
            if (check.problems.size() > 1)
                text += QStringLiteral(" (%1 more)").arg(check.problems.size() - 1);
            if (entered > 0)
                text = EnteredScheduledText(entered) + u' ' + text;
            ShowNotice(session.notifier, text, WarningBar);
        } else if (entered > 0) {
            ShowNotice(session.notifier, EnteredScheduledText(entered), InformationBar);
        }
        if (check.toAsk.isEmpty())
            return;
        TfrmScheduleDue dialog(session.MyDataModule, session.notifier, session.options.DecimalDigits, today,
                               check.toAsk, parent);
        ExecDialog(dialog);
        if (dialog.entered() > 0) {
            entered += dialog.entered();
            ShowNotice(session.notifier, EnteredScheduledText(entered), InformationBar);
        }
    });
    return entered;
}
