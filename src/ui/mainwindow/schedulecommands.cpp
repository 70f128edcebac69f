// TfrmMain: scheduled transactions. The list from the Setup menu, "Schedule this ..."
// in the register grid's menu, and the due check when a file is opened and when the
// register's "Today" is pressed.
#include "ui/mainwindow/mainwindow.h"

#include "core/register/transactioncommands.h"
#include "core/store/transactionstore.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registerview.h"
#include "ui/schedule/scheduleentry.h"

#include <QMenu>
#include <QPushButton>

void TfrmMain::connectScheduleCommands()
{
    onTriggered(m_menu.ScheduledTransactions1, [this] { ScheduledTransactions1Click(); });

    QMenu *gridMenu = m_register->exportMenu();
    auto *scheduleThis = new QAction(QStringLiteral("Schedule this ..."), gridMenu);
    scheduleThis->setObjectName(QStringLiteral("ScheduleThis1"));
    QAction *first = gridMenu->actions().value(0);
    gridMenu->insertAction(first, scheduleThis);
    gridMenu->insertSeparator(first);
    onTriggered(scheduleThis, [this] { ScheduleThisClick(); });

    // After the navigator has shown this month.
    connect(m_register->pnlMonth()->btnToday(), &QPushButton::clicked, this,
            [this] { Guarded(m_session.notifier, [&] { ScheduledTransactionsDue(); }); });
}

void TfrmMain::ScheduledTransactions1Click()
{
    // Reloading would throw away a transaction being typed; the grey rows follow at the
    // next load.
    if (OpenScheduleList(m_session, this) && !isEditing())
        LoadRegisterGrid();
}

void TfrmMain::ScheduleThisClick()
{
    const int id = m_register->registerState().SelectedTransactionId;
    if (!CheckSelectedTransaction(m_session.MyDataModule, m_session.notifier, id))
        return;
    TTransaction transaction;
    if (!LoadTransaction(m_session.MyDataModule, id, transaction))
        return;
    if (OpenScheduleEditorFor(m_session, this, transaction) && !isEditing())
        LoadRegisterGrid();
}

void TfrmMain::ScheduledTransactionsDue()
{
    // Entering reloads the register, which would clear a transaction being typed.
    if (m_session.MyDataModule.dataSource().isEmpty() || isEditing())
        return;
    if (::CheckSchedulesDue(m_session, this, m_today()) > 0)
        LoadRegisterGrid();
}
