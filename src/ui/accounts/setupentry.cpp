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
            shownId = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                               QStringLiteral("AccountDescription"), *shownAccount);
        const int newestBefore = NewestAccountId(db);
        {
            TfrmAccountSetup dialog(db, session.notifier, parent);
            ExecDialog(dialog);
            changed = dialog.changed();
        }
        if (shownAccount && changed) {
            const auto nameOf = [&db](int id) {
                return LookupName(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"),
                                  QStringLiteral("AccountId"), id);
            };
            QString now = shownId < 0 ? QString() : nameOf(shownId);
            if (now.isEmpty()) {
                const int newest = NewestAccountId(db);
                if (newest > newestBefore)
                    now = nameOf(newest);
            }
            *shownAccount = now;
        }
        work.commit();
    });
    return committed && changed;
}
