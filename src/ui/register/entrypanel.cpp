#include "entrypanel.h"

#include "entrykeyfilters.h"
#include "itemcombobox.h"
#include "registerhost.h"

#include "data/guarded.h"
#include "data/lookups.h"
#include "data/notices.h"
#include "data/ttransaction.h"
#include "datafile/session.h"
#include "lists/items.h"
#include "register/transactioncommands.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxNoteLength = 150;
constexpr int MaxAmountLength = 10;

const QColor PayColour(166, 202, 240);
const QColor ReceiveColour(192, 220, 192);
const QColor TransferColour(255, 255, 0);

} // namespace

EntryPanel::EntryPanel(Session &session, RegisterHost &host, QWidget *parent)
    : QWidget(parent), m_session(session), m_host(host)
{
    setObjectName(QStringLiteral("pnlSection"));
    buildControls();
    buildLayout();
    setTabOrder();
    connectControls();
    TrnDate->setDate(QDate::currentDate());
    // The register may still be building itself: set up the panel's own controls only.
    applyTypeLook(TransactionType::Pay);
    applyModeControls(EntryMode::Browse);
}

EntryPanel::~EntryPanel() = default;

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

void EntryPanel::connectControls()
{
    Notifier &n = m_session.notifier;
    connect(tbPayReceive, &QTabBar::currentChanged, this,
            [this, &n] { Guarded(n, [&] { tbPayReceiveChange(); }); });
    connect(cmbPayee, &ItemComboBox::exited, this, [this, &n] { Guarded(n, [&] { cmbPayeeExit(); }); });
    connect(cmbCategory, &ItemComboBox::exited, this, [this, &n] { Guarded(n, [&] { cmbCategoryExit(); }); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnPayee1, &QToolButton::clicked, this, [this] { btnPayee1Click(); });
    connect(btnCategory1, &QToolButton::clicked, this, [this] { btnCategory1Click(); });
    connect(btnCalculator, &QToolButton::clicked, this, &EntryPanel::calculatorRequested);
    connect(memoNote, &QPlainTextEdit::textChanged, this, [this] {
        // The note column holds at most this much; longer pasted text is cut.
        const QString text = memoNote->toPlainText();
        if (text.size() <= MaxNoteLength)
            return;
        const QSignalBlocker block(memoNote);
        memoNote->setPlainText(text.left(MaxNoteLength));
        memoNote->moveCursor(QTextCursor::End);
    });
}

void EntryPanel::setMessageBar(QWidget *bar)
{
    if (!bar)
        return;
    // A press on the message bar is no press on the type strip.
    bar->setAttribute(Qt::WA_NoMousePropagation);
    static_cast<QHBoxLayout *>(pnlPayReceive->layout())->insertWidget(1, bar, 1);
}

void EntryPanel::SetEntryMode(EntryMode mode)
{
    m_host.registerState().entryMode = mode;
    applyModeControls(mode);
    m_host.setBrowseControlsEnabled(mode == EntryMode::Browse);
    cmbPayee->lineEdit()->deselect();
    cmbCategory->lineEdit()->deselect();
}

void EntryPanel::applyModeControls(EntryMode mode)
{
    const bool entering = mode != EntryMode::Browse;
    tbPayReceive->setEnabled(entering);
    GroupBoxTransaction->setEnabled(entering);
    btnSave->setEnabled(entering);
    btnCancel->setEnabled(entering);
    btnCalculator->setEnabled(entering);
    GroupBoxTransaction->setStyleSheet(entering ? QStringLiteral("QGroupBox::title { color: black; }")
                                                : QStringLiteral("QGroupBox::title { color: rgb(160, 160, 164); }"));
}

void EntryPanel::ClearEntryPanel()
{
    txtTrnNumber->clear();
    txtOtherTransactionNo->clear();
    cmbPayee->clearEntry();
    cmbCategory->clearEntry();
    memoNote->clear();
    txtAmt->clear();
    m_host.registerState().SelectedTransactionId = -1;
    cmbReconciled->setCurrentIndex(0);
}

void EntryPanel::FillEntryPanel(const TTransaction &t)
{
    txtTrnNumber->setText(QString::number(t.TransactionID));
    TrnDate->setDate(t.TransactionDate);
    cmbPayee->selectEntry(t.PayeeName);
    cmbCategory->selectEntry(t.CategoryDescription);
    memoNote->setPlainText(t.strNote);

    Money shown = t.Amount;
    TransactionType type;
    QString otherAccount;
    if (!t.isTransfer()) {
        type = t.Amount >= Money() ? TransactionType::Receive : TransactionType::Pay;
        if (type == TransactionType::Pay)
            shown = -t.Amount;
        txtOtherTransactionNo->clear();
    } else {
        type = TransactionType::Transfer;
        otherAccount = LookupName(m_session.MyDataModule, QStringLiteral("tbAccount"),
                                  QStringLiteral("AccountDescription"), QStringLiteral("AccountId"),
                                  t.OtherAccountID);
        txtOtherTransactionNo->setText(QString::number(t.LinkedTransactionID));
    }
    txtAmt->setText(shown.toPlainText(m_session.options.AmountFormat));
    cmbReconciled->setCurrentIndex(cmbReconciled->findText(t.Status, Qt::MatchFixedString));

    setType(type);
    if (type == TransactionType::Transfer)
        cmbTransferTo->setCurrentIndex(cmbTransferTo->findText(otherAccount, Qt::MatchFixedString));
    m_loadedType = int(currentType());
}

void EntryPanel::refillItemLists()
{
    TMyDataModule &db = m_session.MyDataModule;
    cmbPayee->fill(ItemNames(db, QStringLiteral("tbPayee"), QStringLiteral("PayeeName")));
    cmbCategory->fill(ItemNames(db, QStringLiteral("tbCategory"), QStringLiteral("CategoryDescription")));
}

void EntryPanel::refillTransferList()
{
    // The register refills after loading another account, when the panel may already
    // show a transfer of that account: its other account stays selected.
    const QString selected = cmbTransferTo->currentIndex() >= 0 ? cmbTransferTo->currentText() : QString();
    fillTransferList();
    if (!selected.isEmpty())
        cmbTransferTo->setCurrentIndex(cmbTransferTo->findText(selected, Qt::MatchFixedString));
}

void EntryPanel::fillTransferList()
{
    cmbTransferTo->clear();
    cmbTransferTo->addItems(ItemNames(m_session.MyDataModule, QStringLiteral("tbAccount"),
                                      QStringLiteral("AccountDescription")));
    const QString shown = m_host.currentAccountName();
    if (!shown.isEmpty()) {
        const int index = cmbTransferTo->findText(shown, Qt::MatchFixedString);
        if (index >= 0)
            cmbTransferTo->removeItem(index);
    }
    cmbTransferTo->setCurrentIndex(-1);
}

void EntryPanel::clearTransferSelection()
{
    cmbTransferTo->setCurrentIndex(-1);
}

void EntryPanel::setAmountCaption(const QString &currencySymbol)
{
    lblAmount->setText(QStringLiteral("&Amount ") + currencySymbol);
}

TransactionType EntryPanel::currentType() const
{
    return static_cast<TransactionType>(qBound(0, tbPayReceive->currentIndex(), 2));
}

QString EntryPanel::amountText() const
{
    return txtAmt->text();
}

void EntryPanel::setAmountText(const QString &text)
{
    txtAmt->setText(text);
}

EntryValues EntryPanel::entryValues() const
{
    const RegisterState &state = m_host.registerState();
    EntryValues v;
    v.mode = state.entryMode;
    v.type = currentType();
    v.selectedTransactionId = state.SelectedTransactionId;
    v.date = TrnDate->date();
    v.payeeName = cmbPayee->currentText();
    v.categoryName = cmbCategory->currentText();
    v.note = memoNote->toPlainText();
    v.amountText = txtAmt->text();
    v.accountName = m_host.currentAccountName();
    v.transferTo = cmbTransferTo->currentIndex() >= 0 ? cmbTransferTo->currentText() : QString();
    v.otherTransactionNo = txtOtherTransactionNo->text();
    v.status = cmbReconciled->currentText();
    return v;
}

// Sets the tab without its change signal, then applies it.
void EntryPanel::setType(TransactionType type)
{
    {
        const QSignalBlocker block(tbPayReceive);
        tbPayReceive->setCurrentIndex(int(type));
    }
    tbPayReceiveChange();
}

void EntryPanel::tbPayReceiveChange()
{
    const TransactionType type = currentType();
    if (m_host.registerState().entryMode == EntryMode::Edit && type == TransactionType::Transfer) {
        const QSignalBlocker block(tbPayReceive);
        tbPayReceive->setCurrentIndex(m_loadedType == int(TransactionType::Receive)
                                          ? int(TransactionType::Receive)
                                          : int(TransactionType::Pay));
        ShowNotice(m_session.notifier, QStringLiteral("Cannot change a normal transaction to an account transfer."),
                   WarningBar);
        return;
    }
    applyTypeLook(type);
}

void EntryPanel::applyTypeLook(TransactionType type)
{
    QColor colour = PayColour;
    if (type == TransactionType::Receive)
        colour = ReceiveColour;
    else if (type == TransactionType::Transfer)
        colour = TransferColour;
    // A style sheet rather than the palette: it holds also when a window around the
    // panel carries a style sheet of its own.
    txtAmt->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(colour.name()));

    const bool transfer = type == TransactionType::Transfer;
    if (transfer)
        fillTransferList();
    cmbTransferTo->setVisible(transfer);
    lblTransferText->setVisible(transfer);
    btnSave->setText(transfer ? QStringLiteral("Transfer") : QStringLiteral("&Save"));
}

void EntryPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    Guarded(m_session.notifier, [&] { pnlSectionDblClick(); });
}

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The type strip: a press on it (or on the tabs while they are disabled, in Browse
    // mode) starts a new transaction of the type shown.
    if (event->type() == QEvent::MouseButtonPress
        && (watched == pnlPayReceive || (watched == tbPayReceive && !tbPayReceive->isEnabled()))) {
        Guarded(m_session.notifier, [&] { pnlPayReceiveMouseDown(); });
        return watched == tbPayReceive;
    }
    return QWidget::eventFilter(watched, event);
}
