#include "ui/lists/editform.h"

#include "ui/feedback/dialogcommand.h"
#include "ui/app/guarded.h"
#include "core/base/notices.h"
#include "core/session/session.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/lists/itemsetup.h"
#include "ui/lists/moveform.h"
#include "ui/lists/itemwidgets.h"
#include "core/lists/items.h"
#include "ui/widgets/multicollistbox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmEditForm::TfrmEditForm(Session &session, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_session(session)
{
    setObjectName(QStringLiteral("TfrmEditForm"));
    setWindowTitle(QStringLiteral("Edit"));

    GroupBox1 = new QGroupBox(QStringLiteral("Setup"), this);
    lstItems = new TMultiColListbox(GroupBox1);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setSections({{QStringLiteral("Description"), 170},
                           {QStringLiteral("Type"), 110},
                           {QStringLiteral("Amount"), 90},
                           {QStringLiteral("Frequency"), 100}});
    lstItems->setAllowSorting(false);
    lstItems->setMinimumSize(170 + 110 + 90 + 100 + 2 * lstItems->frameWidth()
                                 + lstItems->verticalScrollBar()->sizeHint().width(),
                             260);

    auto button = [this](const QString &name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, GroupBox1);
        b->setObjectName(name);
        b->setToolTip(hint);
        return b;
    };
    btnMove = button(QStringLiteral("btnMove"), QStringLiteral("Move"), QStringLiteral("Move an item to another"));
    btnNew = button(QStringLiteral("btnNew"), QStringLiteral("New"), QStringLiteral("Create a New item"));
    btnRename = button(QStringLiteral("btnRename"), QStringLiteral("Edit"), QStringLiteral("Edit the item currently selected"));
    btnDelete = button(QStringLiteral("btnDelete"), QStringLiteral("Delete"), QStringLiteral("Delete the item currently selected"));
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("Close"), QStringLiteral("Close this window"));

    connect(btnMove, &QPushButton::clicked, this, &TfrmEditForm::btnMoveClick);
    connect(btnNew, &QPushButton::clicked, this, &TfrmEditForm::btnNewClick);
    connect(btnRename, &QPushButton::clicked, this, &TfrmEditForm::btnRenameClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmEditForm::btnDeleteClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmEditForm::btnCloseClick);
    connect(lstItems, &QTreeWidget::itemDoubleClicked, this, [this] { btnRenameClick(); });
    lstItems->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnMove);
    buttons->addStretch(1);
    buttons->addWidget(btnNew);
    buttons->addWidget(btnRename);
    buttons->addWidget(btnDelete);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);

    auto *group = new QVBoxLayout(GroupBox1);
    group->addWidget(lstItems, 1);
    group->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lstItems->setFocus();
}

void TfrmEditForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    formActivate();
}

bool TfrmEditForm::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the list edits the row, as a double click does, rather than pressing
    // whichever button the dialog would take as its default.
    if (watched == lstItems && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnRenameClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmEditForm::formActivate()
{
    Guarded(m_session.notifier, [&] { fillList(); });
    setWindowTitle(kind == ItemKind::Payees ? QStringLiteral("Edit Payee") : QStringLiteral("Edit Category"));
}

void TfrmEditForm::fillList()
{
    m_names = FillItemList(lstItems, m_session.MyDataModule, kind);
}

template<typename Body>
void TfrmEditForm::runCommand(Body &&body)
{
    RunDialogCommand(m_session.MyDataModule, m_session.notifier, body);
}

bool TfrmEditForm::selectedName(const QString &warning, QString &name, int &row)
{
    row = lstItems->firstSelectedRow();
    if (row < 0 || row >= m_names.size()) {
        ShowNotice(m_session.notifier, warning, WarningDialog);
        return false;
    }
    name = m_names[row];
    return true;
}

void TfrmEditForm::btnNewClick()
{
    runCommand([&] {
        const TMyResult result = RunItemSetup(this, QStringLiteral("New Item"),
                                              QStringLiteral("Enter a new item description"),
                                              QString(), false, Money(), QString());
        InsertItem(m_session.MyDataModule, m_session.notifier, kind,
                   result.Description, result.Frequency, result.Amount, result.IsExpense);
        fillList();
        LastNewItem = result.Description;
    });
}

void TfrmEditForm::btnRenameClick()
{
    runCommand([&] {
        QString name;
        int row = -1;
        if (!selectedName(QStringLiteral("No item selected. Select an item to rename."), name, row))
            return;
        const Money amount = Money::fromText(lstItems->column(row, 2)).value_or(Money());
        const QString frequency = lstItems->column(row, 3);
        TMyDataModule &db = m_session.MyDataModule;
        const bool isExpense = ItemIsExpense(db, kind, name);
        const TMyResult result = RunItemSetup(
            this, kind == ItemKind::Payees ? QStringLiteral("Edit Payee") : QStringLiteral("Edit Category"),
            QStringLiteral("Edit the item description"), name, isExpense, amount, frequency);
        UpdateItem(db, m_session.notifier, kind, result.Description, result.Frequency,
                   result.Amount, result.IsExpense, name);
        fillList();
    });
}

void TfrmEditForm::btnDeleteClick()
{
    runCommand([&] {
        QString name;
        int row = -1;
        if (!selectedName(QStringLiteral("No item selected. Select an item to delete."), name, row))
            return;
        if (AskYesNo(m_session.notifier, QStringLiteral("Delete?")) != AskYes)
            return;
        DeleteItem(m_session.MyDataModule, kind, name);
        fillList();
    });
}

void TfrmEditForm::btnMoveClick()
{
    Guarded(m_session.notifier, [&] {
        QString name;
        int row = -1;
        if (!selectedName(QStringLiteral("No item selected. Select an item to move to another category/payee."),
                          name, row))
            return;
        TfrmMove move(m_session, this);
        move.kind = kind;
        move.SourceItemId = ItemIdOf(m_session.MyDataModule, kind, name);
        ExecDialog(move);
        formActivate();
    });
}

void TfrmEditForm::btnCloseClick()
{
    accept();
}
