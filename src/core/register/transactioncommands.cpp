#include "core/register/transactioncommands.h"

#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/store/transactionstore.h"

QString StatusMarkOf(const QString &stored)
{
    if (stored.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0)
        return TransactionStatus::Cleared;
    return stored;
}

bool CheckSelectedTransaction(TMyDataModule &db, Notifier &notifier, int id)
{
    if (id != -1 && IdExists(db, QStringLiteral("tbTransactions"), QStringLiteral("TransactionID"), id))
        return true;
    ShowNoticeText(notifier, QStringLiteral("Nothing Selected."), 1, WarningBar);
    return false;
}

DeleteResult DeleteSelectedTransaction(TMyDataModule &db, Notifier &notifier, int id)
{
    DeleteResult result;
    if (!CheckSelectedTransaction(db, notifier, id))
        return result;
    if (AskYesNo(notifier, QStringLiteral("Delete Transaction [%1]?").arg(id)) != AskYes) {
        result.outcome = DeleteResult::Declined;
        return result;
    }
    LoadTransaction(db, id, result.transaction);
    DeleteTransaction(db, result.transaction);
    result.outcome = DeleteResult::Deleted;
    return result;
}

MarkResult MarkSelectedTransaction(TMyDataModule &db, Notifier &notifier,
                                   const RegisterState &state, const QString &status)
{
    MarkResult result;
    if (!CheckSelectedTransaction(db, notifier, state.SelectedTransactionId))
        return result;
    if (state.entryMode != EntryMode::Browse || state.GridLoading)
        return result;
    LoadTransaction(db, state.SelectedTransactionId, result.transaction);
    result.transaction.Status = status;
    SetTransactionStatus(db, result.transaction);
    result.marked = true;
    return result;
}
