#include "ui/schedule/schedulelist.h"

#include "core/base/notices.h"
#include "core/schedule/schedulestore.h"
#include "ui/feedback/dialogcommand.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/schedule/scheduleedit.h"
#include "ui/widgets/listdialoglayout.h"
#include "ui/widgets/multicollistbox.h"

#include <QPushButton>

TfrmScheduleList::TfrmScheduleList(TMyDataModule &db, Notifier &notifier, int digits, QWidget *parent)
    : QDialog(parent), m_db(db), m_notifier(notifier), m_digits(digits)
{
    setObjectName(QStringLiteral("TfrmScheduleList"));
    setWindowTitle(QStringLiteral("Scheduled Transactions"));

    lstItems = new TMultiColListbox(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setSections({{QStringLiteral("Next Due"), 90}, {QStringLiteral("Account"), 130},
                           {QStringLiteral("Payee"), 150}, {QStringLiteral("Amount"), 90},
                           {QStringLiteral("Frequency"), 170}});

    btnNew = MakeListDialogButton(this, "btnNew", QStringLiteral("&New"), QStringLiteral("Schedule a new transaction"));
    btnEdit = MakeListDialogButton(this, "btnEdit", QStringLiteral("&Edit"),
                                   QStringLiteral("Edit the scheduled transaction selected from the list"));
    btnDelete = MakeListDialogButton(this, "btnDelete", QStringLiteral("&Delete"),
                                     QStringLiteral("Delete the scheduled transaction selected from the list"));
    btnClose = MakeListDialogButton(this, "btnClose", QStringLiteral("&Close"), QStringLiteral("Close this window"));

    LayOutListDialog(this, lstItems, {btnNew, btnEdit, btnDelete}, btnClose);
    resize(680, 400);

    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
    connect(lstItems, &QTreeWidget::itemActivated, this, [this] { btnEditClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    Guarded(m_notifier, [&] { FillScheduleList(); });
}

void TfrmScheduleList::FillScheduleList()
{
    QStringList texts;
    m_ids.clear();
    for (const ScheduleListRow &row : ScheduleListRows(m_db, m_digits)) {
        // The list's column separator cannot stand inside a field.
        QStringList fields{row.nextDue, row.account, row.payee, row.amount, row.frequency};
        for (QString &field : fields)
            field.replace(u';', u',');
        texts << fields.join(u';');
        m_ids << row.scheduleId;
    }
    lstItems->setItems(texts);
}

int TfrmScheduleList::selectedScheduleId() const
{
    const int row = lstItems->firstSelectedRow();
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : 0;
}

void TfrmScheduleList::btnNewClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        TfrmScheduleEdit editor(m_db, m_notifier, this);
        if (ExecDialog(editor) == QDialog::Accepted && editor.savedId() > 0)
            m_changed = true;
        FillScheduleList();
    });
}

void TfrmScheduleList::btnEditClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        const int id = selectedScheduleId();
        if (id <= 0)
            return;
        // A row that cannot be used throws here with its problem; it can still be deleted.
        const std::optional<TSchedule> schedule = LoadSchedule(m_db, id);
        if (!schedule)
            return;
        TfrmScheduleEdit editor(m_db, m_notifier, this);
        editor.setValues(ValuesOfSchedule(*schedule, m_digits));
        if (ExecDialog(editor) == QDialog::Accepted && editor.savedId() > 0)
            m_changed = true;
        FillScheduleList();
    });
}

void TfrmScheduleList::btnDeleteClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        const int row = lstItems->firstSelectedRow();
        const int id = selectedScheduleId();
        if (id <= 0)
            return;
        const QString what = QStringLiteral("%1 %2 %3").arg(lstItems->column(row, 2), lstItems->column(row, 3),
                                                           lstItems->column(row, 4));
        if (AskYesNo(m_notifier, QStringLiteral("Delete the scheduled transaction %1?").arg(what.simplified()))
            != AskYes)
            return;
        DeleteSchedule(m_db, id);
        m_changed = true;
        FillScheduleList();
    });
}
