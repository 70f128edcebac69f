#include "ui/lists/moveform.h"

#include "core/base/notices.h"
#include "core/lists/itemmove.h"
#include "core/lists/items.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"
#include "ui/feedback/dialogcommand.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmMove::TfrmMove(Session &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("TfrmMove"));
    setWindowTitle(QStringLiteral("Move"));
    setSizeGripEnabled(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Move options"), this);
    auto *lblIntro = new QLabel(QStringLiteral("You will be moving all transaction present in"), GroupBox1);

    QFont bold = font();
    bold.setBold(true);
    lblMoveFrom = new QLabel(GroupBox1);
    lblMoveFrom->setObjectName(QStringLiteral("lblMoveFrom"));
    lblMoveFrom->setFont(bold);
    lblMoveFrom->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblMoveFrom->setToolTip(QStringLiteral("The item that will be moved"));

    auto *lblTo = new QLabel(QStringLiteral("To"), GroupBox1);
    cmbMoveTo = new QComboBox(GroupBox1);
    cmbMoveTo->setObjectName(QStringLiteral("cmbMoveTo"));
    cmbMoveTo->setFont(bold);
    cmbMoveTo->setEditable(false);
    cmbMoveTo->setToolTip(QStringLiteral("Where do you want to move the item to..."));
    lblTo->setBuddy(cmbMoveTo);

    btnMove = new QPushButton(QStringLiteral("Move"), this);
    btnMove->setObjectName(QStringLiteral("btnMove"));
    btnMove->setToolTip(QStringLiteral("Move the item"));
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Close this window"));
    btnMove->setAutoDefault(false);
    btnClose->setAutoDefault(false);

    connect(btnMove, &QPushButton::clicked, this, &TfrmMove::btnMoveClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmMove::btnCloseClick);

    auto *group = new QVBoxLayout(GroupBox1);
    group->addWidget(lblIntro);
    group->addWidget(lblMoveFrom);
    group->addWidget(lblTo);
    group->addWidget(cmbMoveTo);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnMove);
    buttons->addWidget(btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(356, 194);
}

void TfrmMove::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Guarded(m_session.notifier, [&] { formShow(); });
}

void TfrmMove::formShow()
{
    GroupBox1->setTitle(kind == ItemKind::Payees ? QStringLiteral("Move options for Payee")
                                                 : QStringLiteral("Move options for Category"));
    TMyDataModule &db = m_session.MyDataModule;
    m_sourceName = ItemNameOf(db, kind, SourceItemId);
    lblMoveFrom->setText(m_sourceName);
    cmbMoveTo->clear();
    cmbMoveTo->addItems(ItemNames(db, kind));
    cmbMoveTo->setCurrentIndex(-1);
    cmbMoveTo->setFocus();
}

void TfrmMove::btnMoveClick()
{
    Guarded(m_session.notifier, [&] { moveTransactions(); });
}

void TfrmMove::moveTransactions()
{
    Notifier &notifier = m_session.notifier;
    TMyDataModule &db = m_session.MyDataModule;
    const QString target = cmbMoveTo->currentIndex() >= 0 ? cmbMoveTo->currentText() : QString();
    const int targetId = target.isEmpty() ? -1 : ItemIdOf(db, kind, target);
    const QString refusal = MoveRefusal(m_sourceName, SourceItemId, target, targetId);
    if (!refusal.isEmpty()) {
        ShowNotice(notifier, refusal, InformationDialog);
        cmbMoveTo->setFocus();
        return;
    }
    const QString answer = ShowMessageDialog(notifier, QStringLiteral("Move"), MoveQuestion(m_sourceName, target),
                                             QString(), QLatin1String(MakerWebAddress), QStringLiteral("Move"),
                                             QStringLiteral("Cancel"), int(DialogIcon::Question));
    if (answer != QLatin1String("Move"))
        return;
    // A failed move is reported and undone by its savepoint; the dialog stays open.
    if (!RunDialogCommand(db, notifier, [&] { MoveTransactions(db, kind, SourceItemId, targetId); }))
        return;
    if (AskYesNo(notifier, DeleteEmptiedItemQuestion(m_sourceName)) != AskYes)
        return;
    if (!RunDialogCommand(db, notifier, [&] { DeleteItemById(db, kind, SourceItemId); }))
        return;
    ShowNotice(notifier, QStringLiteral("Deleted ") + m_sourceName, InformationDialog);
    accept();
}

void TfrmMove::btnCloseClick()
{
    accept();
}
