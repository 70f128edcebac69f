// The entry panel's controls, their captions and hints, layout and tab order.
#include "ui/register/entry/entrypanel.h"

#include "ui/register/entry/entrykeyfilters.h"
#include "ui/register/entry/itemcombobox.h"

#include "core/session/session.h"
#include "core/register/transactioncommands.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
} // namespace

void EntryPanel::buildControls()
{
    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };

    pnlPayReceive = named(new QWidget(this), "pnlPayReceive");
    tbPayReceive = static_cast<QTabBar *>(named(new QTabBar(pnlPayReceive), "tbPayReceive"));
    tbPayReceive->addTab(QStringLiteral("Pay / Buy"));
    tbPayReceive->addTab(QStringLiteral("Receive / Sell"));
    tbPayReceive->addTab(QStringLiteral("Transfer"));
    tbPayReceive->setToolTip(QStringLiteral("Choose the transaction type."));
    tbPayReceive->setExpanding(false);
    tbPayReceive->setDrawBase(false);
    tbPayReceive->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 90px; }"));
    tbPayReceive->installEventFilter(this);
    pnlPayReceive->installEventFilter(this);

    GroupBoxTransaction = static_cast<QGroupBox *>(named(new QGroupBox(QStringLiteral("Transaction"), this),
                                                         "GroupBoxTransaction"));

    txtTrnNumber = static_cast<QLineEdit *>(named(new QLineEdit, "txtTrnNumber"));
    txtTrnNumber->setReadOnly(true);
    txtTrnNumber->setStyleSheet(QStringLiteral("QLineEdit { background-color: palette(button); }"));
    txtTrnNumber->setToolTip(QStringLiteral("The transaction number is automatically generated and can be used as your reference."));
    lblTrnNumber = new QLabel(QStringLiteral("Transaction Number"));

    TrnDate = static_cast<QDateEdit *>(named(new QDateEdit, "TrnDate"));
    TrnDate->setCalendarPopup(true);
    TrnDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    TrnDate->setToolTip(QStringLiteral("This is the date when the transaction will be effected."));
    lblDate = new QLabel(QStringLiteral("Date"));

    cmbPayee = static_cast<ItemComboBox *>(named(new ItemComboBox, "cmbPayee"));
    cmbPayee->setToolTip(QStringLiteral("Type your new Payee or select one from the drop down list."));
    lblPayee = new QLabel(QStringLiteral("&Payee"));
    lblPayee->setBuddy(cmbPayee);
    btnPayee1 = static_cast<QToolButton *>(named(new QToolButton, "btnPayee1"));
    btnPayee1->setText(QStringLiteral("..."));
    btnPayee1->setToolTip(QStringLiteral("Create/Edit a Payee"));

    cmbCategory = static_cast<ItemComboBox *>(named(new ItemComboBox, "cmbCategory"));
    cmbCategory->setToolTip(QStringLiteral("Type your new Category or select one from the drop down list."));
    lblCategory = new QLabel(QStringLiteral("Cate&gory"));
    lblCategory->setBuddy(cmbCategory);
    btnCategory1 = static_cast<QToolButton *>(named(new QToolButton, "btnCategory1"));
    btnCategory1->setText(QStringLiteral("..."));
    btnCategory1->setToolTip(QStringLiteral("Create/Edit a Category"));

    memoNote = static_cast<QPlainTextEdit *>(named(new QPlainTextEdit, "memoNote"));
    memoNote->setTabChangesFocus(true);
    memoNote->setToolTip(QStringLiteral("Type a note as further reference for your transaction."));
    memoNote->setFixedHeight(memoNote->fontMetrics().lineSpacing() * 3 + 10);
    lblNote = new QLabel(QStringLiteral("Note"));

    txtAmt = static_cast<QLineEdit *>(named(new QLineEdit, "txtAmt"));
    txtAmt->setMaxLength(MaxAmountLength);
    {
        QFont f = txtAmt->font();
        f.setPointSize(12);
        f.setBold(true);
        txtAmt->setFont(f);
    }
    // The key filter decides what the field takes; no paste or drop around it.
    txtAmt->setContextMenuPolicy(Qt::NoContextMenu);
    txtAmt->setAcceptDrops(false);
    txtAmt->setToolTip(QStringLiteral("Enter the amount for the transaction."));
    lblAmount = static_cast<QLabel *>(named(new QLabel(QStringLiteral("&Amount")), "lblAmount"));
    lblAmount->setBuddy(txtAmt);

    btnCalculator = static_cast<QToolButton *>(named(new QToolButton, "btnCalculator"));
    btnCalculator->setText(QStringLiteral("="));
    btnCalculator->setAutoRaise(true);
    btnCalculator->setToolTip(QStringLiteral("Click this button to launch the calculator."));

    cmbReconciled = static_cast<QComboBox *>(named(new QComboBox, "cmbReconciled"));
    cmbReconciled->addItems({TransactionStatus::Unset, TransactionStatus::Void,
                             TransactionStatus::Cleared, TransactionStatus::Reconciled});
    cmbReconciled->setToolTip(QStringLiteral("Set the type of the transaction."));
    lblType = static_cast<QLabel *>(named(new QLabel(QStringLiteral("Type")), "lblType"));
    lblType->setToolTip(cmbReconciled->toolTip());

    const QString transferHint = QStringLiteral("Which account do you wish to transfer the money to.");
    lblTransferText = static_cast<QLabel *>(named(new QLabel(QStringLiteral("Transfer To")), "lblTransferText"));
    {
        QFont f = lblTransferText->font();
        f.setBold(true);
        lblTransferText->setFont(f);
    }
    lblTransferText->setToolTip(transferHint);
    cmbTransferTo = static_cast<QComboBox *>(named(new QComboBox, "cmbTransferTo"));
    {
        QFont f = cmbTransferTo->font();
        f.setPointSize(10);
        cmbTransferTo->setFont(f);
    }
    cmbTransferTo->setToolTip(transferHint);
    cmbTransferTo->setMinimumWidth(124);
    // The list is wider than the box while it is open.
    cmbTransferTo->view()->setMinimumWidth(250);

    txtOtherTransactionNo = static_cast<QLineEdit *>(named(new QLineEdit, "txtOtherTransactionNo"));
    txtOtherTransactionNo->setVisible(false);

    btnSave = static_cast<QPushButton *>(named(new QPushButton(QStringLiteral("&Save")), "btnSave"));
    btnSave->setToolTip(QStringLiteral("Save the current entry posting for the transaction."));
    btnCancel = static_cast<QPushButton *>(named(new QPushButton(QStringLiteral("Cancel")), "btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel the current entry posting for the transaction.\n"
                                         "You will loose all the information that you have entered for this transaction."));

    txtAmt->installEventFilter(new AmountKeyFilter(
        [this] { return currentType() == TransactionType::Transfer; }, this));
    auto *nameFilter = new QuoteKeyFilter(m_session.notifier,
                                          QStringLiteral("You cannot use \"\" quotes in the name."), this);
    cmbPayee->installEventFilter(nameFilter);
    cmbCategory->installEventFilter(nameFilter);
    memoNote->installEventFilter(new QuoteKeyFilter(
        m_session.notifier, QStringLiteral("You cannot use \"\" quotes in the note."), this));
}

void EntryPanel::buildLayout()
{
    auto *strip = new QHBoxLayout(pnlPayReceive);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(tbPayReceive);
    strip->addStretch(1);

    auto *grid = new QGridLayout(GroupBoxTransaction);
    // Left: number and date, payee and category, note. Right: amount, status, buttons.
    grid->addWidget(lblTrnNumber, 0, 0);
    grid->addWidget(txtTrnNumber, 0, 1);
    grid->addWidget(lblDate, 0, 3);
    grid->addWidget(TrnDate, 0, 4);
    grid->addWidget(lblPayee, 1, 0);
    grid->addWidget(cmbPayee, 1, 1);
    grid->addWidget(btnPayee1, 1, 2);
    grid->addWidget(lblCategory, 1, 3);
    grid->addWidget(cmbCategory, 1, 4);
    grid->addWidget(btnCategory1, 1, 5);
    grid->addWidget(lblNote, 2, 0, Qt::AlignTop);
    grid->addWidget(memoNote, 2, 1, 2, 5);
    auto *transfer = new QHBoxLayout;
    transfer->addStretch(1);
    transfer->addWidget(lblTransferText);
    transfer->addWidget(cmbTransferTo);
    grid->addLayout(transfer, 4, 1, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    grid->addWidget(lblAmount, 0, 6, 1, 2);
    grid->addWidget(txtAmt, 1, 6);
    grid->addWidget(btnCalculator, 1, 7);
    grid->addWidget(lblType, 2, 6);
    grid->addWidget(cmbReconciled, 3, 6);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 4, 6, 1, 2);
    grid->addWidget(txtOtherTransactionNo, 5, 0);
    grid->setColumnMinimumWidth(6, 160);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    outer->addWidget(pnlPayReceive);
    outer->addWidget(GroupBoxTransaction);
}

void EntryPanel::setTabOrder()
{
    const QList<QWidget *> order{txtTrnNumber, TrnDate, cmbPayee, btnPayee1, cmbCategory,
                                 btnCategory1, memoNote, txtAmt, cmbTransferTo, btnSave,
                                 btnCancel, txtOtherTransactionNo, cmbReconciled};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
