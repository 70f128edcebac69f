#pragma once

#include "ui/app/guarded.h"
#include "core/datafile/datamodule.h"

// One command of a setup dialog. The dialog runs inside the transaction its opener
// began, so the command gets its own savepoint: when it fails, its statements are
// undone, the error is shown and the dialog's earlier work stays. Returns false
// when the command failed.
template<typename Body>
bool RunDialogCommand(TMyDataModule &db, Notifier &notifier, Body &&body)
{
    return Guarded(notifier, [&] {
        WorkGuard work(db);
        body();
        work.commit();
    });
}
