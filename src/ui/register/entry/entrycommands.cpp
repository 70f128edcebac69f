// The entry panel's commands: New, Edit, Cancel, Save, Delete and the status marks.
#include "ui/register/entry/entrypanel.h"

#include "ui/register/entry/itemcombobox.h"
#include "ui/register/registerhost.h"

#include "ui/app/delay.h"
#include "ui/app/guarded.h"
#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/base/texthelpers.h"
#include "core/store/ttransaction.h"
#include "core/session/session.h"
#include "core/register/entrysave.h"
#include "core/register/transactioncommands.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabBar>

namespace {
// After a deletion a grid this small (header row included) is read again.
constexpr int ReloadRowLimit = 25;
} // namespace

void EntryPanel::tbNewClick()
{
    Guarded(m_session.notifier, [&] {
        ShowNotice(m_session.notifier, QStringLiteral("New Transaction"), InformationBar);
        SetEntryMode(EntryMode::New);
        ClearEntryPanel();
        tbPayReceiveChange();
        cmbPayee->setFocus(Qt::OtherFocusReason);
        RegisterState &state = m_host.registerState();
        if (state.TodayOnNextNew) {
            TrnDate->setDate(QDate::currentDate());
            state.TodayOnNextNew = false;
        }
    });
}

void EntryPanel::tbEditClick()
{
    Guarded(m_session.notifier, [&] {
        if (m_host.registerRowCount() == 0)
            return;
        m_host.focusGrid();
        RegisterState &state = m_host.registerState();
        if (!CheckSelectedTransaction(m_session.MyDataModule, m_session.notifier, state.SelectedTransactionId))
            return;
        if (currentType() == TransactionType::Transfer) {
            ShowNotice(m_session.notifier, QStringLiteral("Transfers cannot be edited, but can only be deleted."),
                       WarningBar);
            return;
        }
        ShowNotice(m_session.notifier, QStringLiteral("Edit Transaction"), InformationBar);
        SetEntryMode(EntryMode::Edit);
        tbPayReceiveChange();
        cmbPayee->setFocus(Qt::OtherFocusReason);
    });
}

void EntryPanel::btnCancelClick()
{
    Guarded(m_session.notifier, [&] {
        ClearEntryPanel();
        SetEntryMode(EntryMode::Browse);
        m_host.LoadRegisterGrid();
    });
}

void EntryPanel::focusField(int field)
{
    switch (static_cast<EntryField>(field)) {
    case EntryField::Amount:
        txtAmt->setFocus(Qt::OtherFocusReason);
        break;
    case EntryField::TransferTo:
        cmbTransferTo->setFocus(Qt::OtherFocusReason);
        break;
    case EntryField::None:
        break;
    }
}

void EntryPanel::btnSaveClick()
{
    Guarded(m_session.notifier, [&] {
        const EntryValues values = entryValues();
        const SaveResult result = SaveEntry(m_session.MyDataModule, m_session.notifier, values);
        if (result.outcome == SaveResult::Refused) {
            focusField(int(result.field));
            return;
        }
        if (result.outcome == SaveResult::Declined)
            return; // the panel keeps its mode and contents
        if (result.payeeAdded || result.categoryAdded)
            refillItemLists();

        RegisterState &state = m_host.registerState();
        const TTransaction &saved = result.transaction;
        if (values.mode == EntryMode::New) {
            m_host.AddRegisterRow(saved);
            state.SelectedTransactionId = saved.TransactionID;
        } else if (state.SelectedTransactionId >= 0) {
            m_host.UpdateRegisterRows(saved);
        }
        SetEntryMode(EntryMode::Browse);
        FillEntryPanel(saved);
        const int remembered = state.SelectedTransactionId;
        m_host.ShowMonth(MonthOfDate(saved.TransactionDate), YearOfDate(saved.TransactionDate));
        m_host.RefreshBalances();
        state.SelectedTransactionId = remembered;
        m_host.SelectCurrentRow();
        ShowNotice(m_session.notifier, QStringLiteral("Transaction has been saved."), InformationBar);
    });
}

void EntryPanel::tbDeleteClick()
{
    Guarded(m_session.notifier, [&] {
        TMyDataModule &db = m_session.MyDataModule;
        WorkGuard work(db);
        SetEntryMode(EntryMode::Browse);
        m_host.focusGrid();
        const int id = m_host.registerState().SelectedTransactionId;
        const DeleteResult result = DeleteSelectedTransaction(db, m_session.notifier, id);
        // The grid follows the file only once the deletion is committed: a refused
        // COMMIT rolls it back and the row must stay listed.
        work.commit();
        if (result.outcome == DeleteResult::Deleted) {
            m_host.RemoveRegisterRow(id);
            m_host.RefreshBalances();
            if (m_host.registerRowCount() + 1 <= ReloadRowLimit)
                m_host.LoadRegisterGrid();
        }
    });
}

void EntryPanel::markStatus(const QString &status)
{
    Guarded(m_session.notifier, [&] {
        TMyDataModule &db = m_session.MyDataModule;
        WorkGuard work(db);
        m_host.focusGrid();
        const MarkResult result = MarkSelectedTransaction(db, m_session.notifier, m_host.registerState(), status);
        work.commit(); // as for a deletion: show the mark only once it is in the file
        if (result.marked) {
            m_host.UpdateRegisterRows(result.transaction);
            cmbReconciled->setCurrentIndex(cmbReconciled->findText(status));
        }
    });
}

void EntryPanel::pnlSectionDblClick()
{
    RegisterState &state = m_host.registerState();
    if (state.entryMode == EntryMode::Browse && state.SelectedTransactionId > 0 && !txtAmt->text().isEmpty()) {
        tbPayReceiveChange();
        tbEditClick();
    }
    if (state.entryMode == EntryMode::Browse && txtAmt->text().isEmpty()) {
        state.SelectedTransactionId = -1;
        tbPayReceiveChange();
        tbNewClick();
    }
}

void EntryPanel::pnlPayReceiveMouseDown()
{
    Delay(1);
    tbPayReceiveChange();
    tbNewClick();
}

void EntryPanel::cmbPayeeExit()
{
    RegisterState &state = m_host.registerState();
    if (m_session.options.AutoTransactionOn && state.entryMode == EntryMode::New
        && cmbPayee->hasSelectedEntry() && cmbCategory->currentText().isEmpty()) {
        cmbCategory->selectEntry(GetLastCategoryOfPayee(m_session.MyDataModule, cmbPayee->currentText()));
    }
    if (cmbPayee->hasSelectedEntry())
        cmbPayee->selectEntry(cmbPayee->currentText());
    else
        cmbPayee->clearEntry();
}

void EntryPanel::cmbCategoryExit()
{
    if (cmbCategory->hasSelectedEntry())
        cmbCategory->selectEntry(cmbCategory->currentText());
    else
        cmbCategory->clearEntry();
}
