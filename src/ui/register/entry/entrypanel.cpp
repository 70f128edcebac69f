#include "ui/register/entry/entrypanel.h"

#include "ui/register/entry/entrykeyfilters.h"
#include "ui/register/entry/entrypanelkeys.h"
#include "ui/register/entry/itemcombobox.h"
#include "ui/register/registerhost.h"

#include "ui/app/guarded.h"
#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/store/ttransaction.h"
#include "core/session/session.h"
#include "core/lists/items.h"
#include "core/register/transactioncommands.h"

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
    new EntryPanelKeys(this, btnSave, btnCancel);
    TrnDate->setDate(QDate::currentDate());
    // The register may still be building itself: set up the panel's own controls only.
    applyTypeLook(TransactionType::Pay);
    applyModeControls(EntryMode::Browse);
}

EntryPanel::~EntryPanel() = default;

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
    connect(btnCalculator, &QToolButton::clicked, this, [this, &n] { Guarded(n, [&] { btnCalculatorClick(); }); });
    connect(memoNote, &QPlainTextEdit::textChanged, this, [this] {
        // What the user types or pastes is cut at the note's length; a longer note
        // as stored is shown and kept whole (m_noteLimit).
        const QString text = memoNote->toPlainText();
        if (text.size() <= m_noteLimit)
            return;
        const QSignalBlocker block(memoNote);
        memoNote->setPlainText(text.left(m_noteLimit));
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
    // Setting a style sheet re-polishes every control in the box (the payee and
    // category lists lay out all their entries again): only when it changes. The mode
    // is applied again on every selection in the grid.
    const QString sheet = entering ? QStringLiteral("QGroupBox::title { color: black; }")
                                   : QStringLiteral("QGroupBox::title { color: rgb(160, 160, 164); }");
    if (GroupBoxTransaction->styleSheet() != sheet)
        GroupBoxTransaction->setStyleSheet(sheet);
}

void EntryPanel::ClearEntryPanel()
{
    txtTrnNumber->clear();
    txtOtherTransactionNo->clear();
    cmbPayee->clearEntry();
    cmbCategory->clearEntry();
    m_noteLimit = MaxNoteLength;
    memoNote->clear();
    txtAmt->clear();
    txtAmt->setMaxLength(MaxAmountLength);
    m_filledAmount.reset();
    m_filledAmountText.clear();
    m_host.registerState().SelectedTransactionId = -1;
    cmbReconciled->setCurrentIndex(0);
}

void EntryPanel::FillEntryPanel(const TTransaction &t)
{
    txtTrnNumber->setText(QString::number(t.TransactionID));
    TrnDate->setDate(t.TransactionDate);
    cmbPayee->selectEntry(t.PayeeName);
    cmbCategory->selectEntry(t.CategoryDescription);
    // A stored text shows whole, also when it is longer than the user may type.
    m_noteLimit = qMax(MaxNoteLength, int(t.strNote.size()));
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
        otherAccount = AccountNameOf(m_session.MyDataModule, t.OtherAccountID);
        txtOtherTransactionNo->setText(QString::number(t.LinkedTransactionID));
    }
    const QString amountText = shown.toPlainText(m_session.options.AmountFormat);
    txtAmt->setMaxLength(qMax(MaxAmountLength, int(amountText.size())));
    txtAmt->setText(amountText);
    m_filledAmount = t.Amount;
    m_filledAmountText = amountText;
    cmbReconciled->setCurrentIndex(cmbReconciled->findText(StatusMarkOf(t.Status), Qt::MatchFixedString));

    setType(type);
    if (type == TransactionType::Transfer)
        cmbTransferTo->setCurrentIndex(cmbTransferTo->findText(otherAccount, Qt::MatchFixedString));
    m_loadedType = currentType();
}

void EntryPanel::refillItemLists()
{
    TMyDataModule &db = m_session.MyDataModule;
    cmbPayee->fill(ItemNames(db, ItemKind::Payees));
    cmbCategory->fill(ItemNames(db, ItemKind::Categories));
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
    cmbTransferTo->addItems(AccountNames(m_session.MyDataModule));
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
    v.filledAmount = m_filledAmount;
    v.filledAmountText = m_filledAmountText;
    v.filledType = m_loadedType;
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
        tbPayReceive->setCurrentIndex(int(m_loadedType == TransactionType::Receive ? TransactionType::Receive
                                                                                   : TransactionType::Pay));
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

void EntryPanel::setEntryDate(const QDate &date)
{
    TrnDate->setDate(date);
}
