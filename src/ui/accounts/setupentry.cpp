#include "ui/accounts/setupentry.h"

#include "ui/accounts/accountsetup.h"
#include "ui/accounts/currencyedit.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/app/guarded.h"
#include "core/accounts/accounts.h"
#include "core/store/lookups.h"
#include "core/session/session.h"

bool OpenCurrencySetup(Session &session, QWidget *parent)
{
    bool changed = false;
    const bool committed = Guarded(session.notifier, [&] {
        WorkGuard work(session.MyDataModule);
        {
            TfrmCurrencyEdit dialog(session.MyDataModule, session.notifier, parent);
            ExecDialog(dialog);
            changed = dialog.changed();
        }
        work.commit();
    });
    return committed && changed;
}

bool OpenAccountSetup(Session &session, QWidget *parent, QString *shownAccount)
{
    TMyDataModule &db = session.MyDataModule;
    bool changed = false;
    int shownId = -1;
    const bool committed = Guarded(session.notifier, [&] {
        WorkGuard work(db);
        if (shownAccount && !shownAccount->isEmpty())
            shownId = AccountIdOf(db, *shownAccount);
        const int newestBefore = NewestAccountId(db);
        {
            TfrmAccountSetup dialog(db, session.notifier, parent);
            ExecDialog(dialog);
            changed = dialog.changed();
        }
        if (shownAccount && changed) {
            QString now = shownId < 0 ? QString() : AccountNameOf(db, shownId);
            if (now.isEmpty()) {
                const int newest = NewestAccountId(db);
                if (newest > newestBefore)
                    now = AccountNameOf(db, newest);
            }
            *shownAccount = now;
        }
        work.commit();
    });
    return committed && changed;
}
