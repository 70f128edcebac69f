#include "ui/register/registerview.h"

#include "ui/register/accountbar.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/messagebar.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registergrid.h"
#include "ui/register/registertoolbar.h"
#include "ui/register/upcomingrows.h"

#include "ui/app/guarded.h"
#include "ui/exchange/gridexport.h"
#include "core/store/lookups.h"
#include "core/store/transactionstore.h"
#include "core/session/session.h"
#include "core/register/registerlookups.h"
#include "core/register/registerquery.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Hourglass for the length of a load, restored also when the load fails.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// GridLoading for the length of a fill, cleared also when the fill fails.
class LoadingFlag
{
public:
    explicit LoadingFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~LoadingFlag() { m_flag = false; }
    void clear() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

RegisterView::RegisterView(Session &session, QWidget *parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("RegisterView"));
    setMinimumWidth(MinimumWindowWidth);

    m_accountBar = new AccountBar(this);
    m_toolbar = new RegisterToolbar(this);

    auto *gridArea = new QWidget(this);
    auto *gridLayout = new QGridLayout(gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    m_lblNoTransactions = new QLabel(
        QStringLiteral("No Transactions are present in this account or during this month."), gridArea);
    m_lblNoTransactions->setObjectName(QStringLiteral("lblNoTransactions"));
    m_lblNoTransactions->setAlignment(Qt::AlignCenter);
    m_lblNoTransactions->setWordWrap(true);
    QFont bigBold = m_lblNoTransactions->font();
    bigBold.setPointSize(14);
    bigBold.setBold(true);
    m_lblNoTransactions->setFont(bigBold);
    auto *strGrid = new TPubStrGrid(gridArea);
    strGrid->setObjectName(QStringLiteral("strGridTransactions"));
    gridLayout->addWidget(m_lblNoTransactions, 0, 0);
    gridLayout->addWidget(strGrid, 0, 0);
    m_grid = std::make_unique<RegisterGrid>(strGrid, m_session.options,
                                            [this] { return m_state.SelectedTransactionId; });

    m_messageBar = new MessageBar(this);
    m_pnlSection = new EntryPanel(m_session, *this, this);
    m_pnlSection->setObjectName(QStringLiteral("pnlSection"));
    m_pnlSection->setMessageBar(m_messageBar);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_accountBar);
    layout->addWidget(m_toolbar);
    layout->addSpacing(8); // Panel2
    layout->addWidget(gridArea, 1);
    layout->addSpacing(8); // Panel1
    layout->addWidget(m_pnlSection);

    m_exportMenu = new QMenu(strGrid);
    m_exportMenu->setObjectName(QStringLiteral("ExportMenu"));
    m_exportToExcel = m_exportMenu->addAction(QStringLiteral("Export to Excel..."));
    m_exportToExcel->setObjectName(QStringLiteral("ExporttoExcel1"));
    m_exportMenu->addSeparator();
    m_exportToCsv = m_exportMenu->addAction(QStringLiteral("Export to CSV..."));
    m_exportToCsv->setObjectName(QStringLiteral("ExporttoCSV1"));
    // Both exports ask for the file name over the main window.
    connect(m_exportToExcel, &QAction::triggered, this, [this, strGrid] {
        Guarded(m_session.notifier, [&] { ExportGridToExcel(*strGrid, m_session.notifier, window()); });
    });
    connect(m_exportToCsv, &QAction::triggered, this, [this, strGrid] {
        Guarded(m_session.notifier, [&] { ExportGridToCsv(*strGrid, m_session.notifier, window()); });
    });
    strGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(strGrid, &QWidget::customContextMenuRequested, this, [this, strGrid](const QPoint &pos) {
        m_exportMenu->popup(strGrid->viewport()->mapToGlobal(pos));
    });

    connect(strGrid, &TPubStrGrid::CurrentRowChanged, this, &RegisterView::currentRowChanged);
    connect(strGrid, &QAbstractItemView::doubleClicked, this,
            [this] { Guarded(m_session.notifier, [&] { m_pnlSection->tbEditClick(); }); });

    connect(m_accountBar->cmbAccounts(), &QComboBox::currentIndexChanged, this,
            &RegisterView::accountChanged);
    connect(m_accountBar->pnlMonth(), &MonthNavigator::monthChosen, this,
            &RegisterView::monthChosen);
    connect(m_accountBar->btnNewAccount(), &QToolButton::clicked, this,
            &RegisterView::accountsDialogRequested);
    connect(m_messageBar, &MessageBar::hidden, strGrid->viewport(), qOverload<>(&QWidget::update));

    connect(m_toolbar->tbNew(), &QToolButton::clicked, this,
            [this] { Guarded(m_session.notifier, [&] { m_pnlSection->tbNewClick(); }); });
    connect(m_toolbar->tbEdit(), &QToolButton::clicked, this,
            [this] { Guarded(m_session.notifier, [&] { m_pnlSection->tbEditClick(); }); });
    connect(m_toolbar->tbDelete(), &QToolButton::clicked, this,
            [this] { Guarded(m_session.notifier, [&] { m_pnlSection->tbDeleteClick(); }); });
    connect(m_toolbar->tbReports(), &QToolButton::clicked, this, &RegisterView::reportsRequested);

    m_grid->SetupRegisterColumns();
    setGridShown(false);
    m_toolbar->tbEdit()->setEnabled(false);
    m_toolbar->tbDelete()->setEnabled(false);
}

RegisterView::~RegisterView() = default;

TPubStrGrid *RegisterView::strGridTransactions() const { return m_grid->grid(); }
QComboBox *RegisterView::cmbAccounts() const { return m_accountBar->cmbAccounts(); }
QLabel *RegisterView::lblAccountStatus() const { return m_accountBar->lblAccountStatus(); }
QToolButton *RegisterView::btnNewAccount() const { return m_accountBar->btnNewAccount(); }
MonthNavigator *RegisterView::pnlMonth() const { return m_accountBar->pnlMonth(); }
QMenu *RegisterView::reportsMenu() const { return m_toolbar->reportsMenu(); }

QString RegisterView::currentAccountName() const
{
    return m_accountBar->cmbAccounts()->currentText();
}

int RegisterView::currentAccountId() const
{
    return AccountIdOf(m_session.MyDataModule, currentAccountName());
}

ShownMonth RegisterView::shownMonth() const
{
    return m_accountBar->pnlMonth()->shownMonth();
}

QDate RegisterView::FirstDayOfShownMonth() const
{
    return shownMonth().firstDay();
}

QDate RegisterView::LastDayOfShownMonth() const
{
    return shownMonth().lastDay();
}

void RegisterView::ShowMonth(int month, int year)
{
    m_accountBar->pnlMonth()->showMonth({month, year});
    LoadRegisterGrid();
}

void RegisterView::StepMonth(bool forward)
{
    // The navigator raises monthChosen() when it moved, which loads.
    m_accountBar->pnlMonth()->StepMonth(forward);
}

void RegisterView::ShowTodaysMonth()
{
    m_accountBar->pnlMonth()->btnToday()->click();
}

void RegisterView::StepAccount(bool forward)
{
    QComboBox *accounts = m_accountBar->cmbAccounts();
    const int index = accounts->currentIndex() + (forward ? 1 : -1);
    // The box's own signal loads the register.
    if (index >= 0 && index < accounts->count())
        accounts->setCurrentIndex(index);
}

void RegisterView::LoadRegisterGrid()
{
    TPubStrGrid *grid = m_grid->grid();
    m_pnlSection->clearTransferSelection();
    const WaitCursor waitCursor;
    // The grid works again when the load is over, also when it failed.
    const auto enableGrid = qScopeGuard(
        [this, grid] { grid->setEnabled(m_state.entryMode == EntryMode::Browse); });
    QList<TTransaction> rows;
    int accountId = -1;
    {
        LoadingFlag loading(m_state.GridLoading);
        grid->setEnabled(false);
        m_state.SelectedTransactionId = -1;
        m_filledId = -1;
        m_pnlSection->ClearEntryPanel();

        accountId = currentAccountId();
        rows = LoadMonthTransactions(m_session.MyDataModule, accountId, currentAccountName(),
                                     FirstDayOfShownMonth(), LastDayOfShownMonth());
        const Money opening = GetPreviousBalance(m_session.MyDataModule, accountId,
                                                 FirstDayOfShownMonth().addDays(-1));
        // Emptying and refilling is one reset of the view, the running balance written
        // with the rows. Nothing is drawn before the end, so the grid is hidden only
        // when the month turns out empty.
        grid->BeginUpdate();
        {
            const auto endUpdate = qScopeGuard([grid] { grid->EndUpdate(); });
            m_grid->SetupRegisterColumns();
            m_grid->FillRows(rows, opening);
            m_grid->SetUpcomingRows(UpcomingRegisterRows(m_session.MyDataModule, accountId, FirstDayOfShownMonth(),
                                                         QDate::currentDate(), m_session.options.DecimalDigits));
        }

        const bool any = !rows.isEmpty();
        m_toolbar->tbEdit()->setEnabled(any);
        m_toolbar->tbDelete()->setEnabled(any);
        setGridShown(any || m_grid->upcomingRowCount() > 0);
    }

    showAccountBalance(accountId);

    m_grid->AutoSizeRegisterColumns();
    if (!rows.isEmpty())
        makeRowCurrent(m_grid->lastRow());

    if (m_state.entryMode != EntryMode::New) {
        SelectCurrentRow();
        // The selection handling above already showed the last row; load only when
        // a different transaction is now the selected one.
        if (m_state.SelectedTransactionId >= 0 && m_state.SelectedTransactionId != m_filledId) {
            TTransaction transaction;
            if (LoadTransaction(m_session.MyDataModule, m_state.SelectedTransactionId, transaction))
                m_pnlSection->FillEntryPanel(transaction);
        }
    }
    m_pnlSection->setAmountCaption(GetAccountCurrencySymbol(m_session.MyDataModule,
                                                            currentAccountName()));
}

void RegisterView::AddRegisterRow(const TTransaction &transaction)
{
    m_grid->AddRow(transaction);
    if (!m_state.GridLoading) {
        m_grid->AutoSizeRegisterColumns();
        setGridShown(true);
        RefreshBalances();
    }
}

void RegisterView::UpdateRegisterRows(const TTransaction &transaction)
{
    if (m_grid->UpdateRows(transaction)) {
        m_grid->AutoSizeRegisterColumns();
        setGridShown(true);
    }
    RefreshBalances();
}

void RegisterView::RemoveRegisterRow(int transactionId)
{
    // The grid would make a neighbour current and so selected, and a second Delete
    // would ask for that one. The removed number stays selected instead (Edit, Delete
    // and the marks answer "Nothing Selected.") until the user picks a row.
    m_movingCurrent = true;
    const auto done = qScopeGuard([this] { m_movingCurrent = false; });
    m_grid->RemoveRow(transactionId);
    m_grid->grid()->selectionModel()->clearCurrentIndex();
    m_grid->grid()->viewport()->update();
}

void RegisterView::SelectCurrentRow()
{
    const int row = m_grid->findRow(m_state.SelectedTransactionId);
    if (row >= 0)
        m_grid->grid()->SetCurrentRow(row);
}

void RegisterView::RefreshBalances()
{
    const int accountId = currentAccountId();
    m_grid->FillRunningBalance(GetPreviousBalance(m_session.MyDataModule, accountId,
                                                  FirstDayOfShownMonth().addDays(-1)));
    showAccountBalance(accountId);
}

int RegisterView::registerRowCount() const
{
    return m_grid->transactionRowCount();
}

void RegisterView::setBrowseControlsEnabled(bool enabled)
{
    m_grid->grid()->setEnabled(enabled);
    m_accountBar->cmbAccounts()->setEnabled(enabled);
    m_accountBar->pnlMonth()->setEnabled(enabled);
    m_accountBar->btnNewAccount()->setEnabled(enabled);
    m_toolbar->tbNew()->setEnabled(enabled);
    m_toolbar->tbReports()->setEnabled(enabled);
    // Edit and Delete also need a row to act on.
    const bool rows = enabled && registerRowCount() > 0;
    m_toolbar->tbEdit()->setEnabled(rows);
    m_toolbar->tbDelete()->setEnabled(rows);
    emit browseControlsEnabledChanged(enabled);
}

void RegisterView::focusGrid()
{
    TPubStrGrid *grid = m_grid->grid();
    if (grid->isVisible() && grid->isEnabled())
        grid->setFocus(Qt::OtherFocusReason);
}

void RegisterView::accountsChanged(const QString &account)
{
    QComboBox *accounts = m_accountBar->cmbAccounts();
    {
        const QSignalBlocker blocker(accounts);
        accounts->clear();
        accounts->addItems(RegisterAccountNames(m_session.MyDataModule));
        accounts->setCurrentIndex(account.isEmpty() ? -1 : accounts->findText(account, Qt::MatchFixedString));
    }
    if (isEditing()) {
        m_pnlSection->refillTransferList();
        showAccountSymbols();
        return;
    }
    LoadRegisterGrid();
    m_pnlSection->refillTransferList();
}

void RegisterView::refillEntryPanel()
{
    // The grid's own flag, not whether the window is on screen yet.
    if (m_grid->grid()->isHidden() || m_state.SelectedTransactionId < 0)
        return;
    TTransaction transaction;
    if (LoadTransaction(m_session.MyDataModule, m_state.SelectedTransactionId, transaction))
        m_pnlSection->FillEntryPanel(transaction);
}

void RegisterView::currenciesChanged()
{
    if (isEditing())
        showAccountSymbols();
    else
        LoadRegisterGrid();
}

void RegisterView::showAccountSymbols()
{
    showAccountBalance(currentAccountId());
    m_pnlSection->setAmountCaption(GetAccountCurrencySymbol(m_session.MyDataModule, currentAccountName()));
}

void RegisterView::RefreshLookups()
{
    m_pnlSection->refillItemLists();
    QComboBox *accounts = m_accountBar->cmbAccounts();
    {
        const QSignalBlocker blocker(accounts);
        accounts->clear();
        accounts->addItems(RegisterAccountNames(m_session.MyDataModule));
        accounts->setCurrentIndex(-1);
        const QString defaultAccount = DefaultAccountName(m_session.MyDataModule);
        if (!defaultAccount.isEmpty())
            accounts->setCurrentIndex(accounts->findText(defaultAccount, Qt::MatchFixedString));
    }
    m_pnlSection->refillTransferList();
}

void RegisterView::showBarMessage(const QString &text, BarKind kind)
{
    m_messageBar->showMessage(text, kind);
}

void RegisterView::showAccountBalance(int accountId)
{
    const Money balance = GetCurrentBalance(m_session.MyDataModule, accountId);
    const QString symbol = GetAccountCurrencySymbol(m_session.MyDataModule, currentAccountName());
    m_accountBar->lblAccountStatus()->setText(
        symbol + u' ' + balance.toGroupedText(m_session.options.DecimalDigits));
}

void RegisterView::setGridShown(bool shown)
{
    m_grid->grid()->setVisible(shown);
    m_lblNoTransactions->setVisible(!shown);
}

void RegisterView::makeRowCurrent(int row)
{
    m_movingCurrent = true;
    m_grid->grid()->SetCurrentRow(row);
    m_movingCurrent = false;
    // The grid was rebuilt, so the row counts as newly current even where the index
    // did not move.
    strGridTransactionsSelectCell(row);
}

void RegisterView::currentRowChanged(int row)
{
    if (m_movingCurrent || row < 0)
        return;
    Guarded(m_session.notifier, [&] { strGridTransactionsSelectCell(row); });
}

void RegisterView::strGridTransactionsSelectCell(int row)
{
    if (m_state.entryMode != EntryMode::New && row > 0 && !m_state.GridLoading) {
        const int id = m_grid->transactionIdAt(row);
        // A scheduled row still to come is no transaction to edit or delete.
        if (m_grid->isUpcomingRow(row))
            m_state.SelectedTransactionId = -1;
        if (id >= 0) {
            m_state.SelectedTransactionId = id;
            TTransaction transaction;
            if (LoadTransaction(m_session.MyDataModule, id, transaction)) {
                m_pnlSection->FillEntryPanel(transaction);
                m_filledId = id;
            }
        }
    }
    m_grid->grid()->viewport()->update();
    m_pnlSection->SetEntryMode(m_state.entryMode);
}

void RegisterView::accountChanged()
{
    Guarded(m_session.notifier, [&] {
        LoadRegisterGrid();
        m_pnlSection->refillTransferList();
    });
}

void RegisterView::monthChosen()
{
    Guarded(m_session.notifier, [&] { LoadRegisterGrid(); });
}
