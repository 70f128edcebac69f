#include "ui/reports/reportcentre.h"

#include "ui/app/firstshowload.h"

#include "core/base/texthelpers.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"
#include "ui/exchange/gridexport.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/register/balancedrowfiller.h"
#include "ui/register/registergrid.h"
#include "ui/reports/transactionreport.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QShowEvent>

namespace {

// How long a long load runs between two chances for the window to repaint.
constexpr qint64 PaintIntervalMs = 100;

void fillWithAll(QComboBox *combo, const QStringList &names)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItem(QString::fromLatin1(ReportAllItems));
    combo->addItems(names);
    combo->setCurrentIndex(0);
}

} // namespace

TfrmReportCentre::TfrmReportCentre(Session &session, const QString &openingAccountName, QWidget *parent)
    : QDialog(parent), m_session(session), m_openingAccountName(openingAccountName)
{
    buildControls();
    m_grid = std::make_unique<RegisterGrid>(m_strGrid, m_session.options);
    // Unlike the register, only the amounts are aligned (to the right).
    m_strGrid->SetOnGetAlignment([](int, int col, TAlignment &alignment) {
        alignment = (col == RegisterGrid::ColPay || col == RegisterGrid::ColReceive
                     || col == RegisterGrid::ColBalance)
            ? taRightJustify
            : taLeftJustify;
    });
    m_grid->SetupRegisterColumns();
    m_strGrid->hide();

    // FormCreate: search in any of the register's columns, "Date" first.
    m_cmbColNames->addItems(RegisterGrid::headers());
    m_cmbColNames->setCurrentIndex(1);

    new LoadOnFirstShow(this, [this] { guarded([this] { FormActivate(); }); });
    connect(m_cmbPayee, &QComboBox::activated, this, [this] { guarded([this] { PopulateReport(); }); });
    connect(m_cmbCategory, &QComboBox::activated, this, [this] { guarded([this] { PopulateReport(); }); });
    connect(m_cmbAccount, &QComboBox::activated, this, [this] { guarded([this] { PopulateReport(); }); });
    connect(m_dtFrom, &QDateEdit::dateChanged, this, [this] { guarded([this] { dtFromChange(); }); });
    connect(m_dtTo, &QDateEdit::dateChanged, this, [this] { guarded([this] { dtToChange(); }); });
    connect(m_btnSearch, &QPushButton::clicked, this, [this] { guarded([this] { btnSearchClick(); }); });
    connect(m_edtSearch, &QLineEdit::returnPressed, this, [this] { guarded([this] { btnSearchClick(); }); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { guarded([this] { btnCancelClick(); }); });
    connect(m_btnPreview, &QPushButton::clicked, this, [this] { guarded([this] { btnPreviewClick(); }); });
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmReportCentre::~TfrmReportCentre() = default;

void TfrmReportCentre::guarded(const std::function<void()> &body)
{
    Guarded(m_session.notifier, body);
}

ReportCentreChoice TfrmReportCentre::Choice() const
{
    ReportCentreChoice choice;
    choice.payee = m_cmbPayee->currentText();
    choice.category = m_cmbCategory->currentText();
    choice.account = m_cmbAccount->currentText();
    choice.fromDate = m_dtFrom->date();
    choice.toDate = m_dtTo->date();
    return choice;
}

RegisterFilter TfrmReportCentre::GetFilter() const
{
    return ::GetFilter(m_session.MyDataModule, Choice());
}

void TfrmReportCentre::PopulateReport()
{
    if (m_populating)
        return;
    const QScopedValueRollback populating(m_populating, true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor { ~RestoreCursor() { QApplication::restoreOverrideCursor(); } } restore;

    const ReportCentreChoice choice = Choice();
    const RegisterFilter filter = ::GetFilter(m_session.MyDataModule, choice);
    Money balance = ReportOpeningBalance(m_session.MyDataModule, choice);

    m_grid->SetupRegisterColumns();
    m_strGrid->hide();
    // While the grid is hidden its label tells how far the reading has come, rather
    // than that nothing matches.
    const QString idleText = m_lblNoTransactions->text();
    const auto restoreLabel = qScopeGuard([&] { m_lblNoTransactions->setText(idleText); });
    m_lblNoTransactions->setText(QStringLiteral("Reading transactions ..."));
    StringTableModel &model = *m_strGrid->Model();
    int rows = 0;
    QElapsedTimer sincePaint;
    sincePaint.start();
    BalancedRowFiller filler(*m_grid, m_session.options.DecimalDigits);
    model.BeginUpdate();
    {
        const auto endUpdate = qScopeGuard([&model] { model.EndUpdate(); });
        ForEachReportRow(m_session.MyDataModule, filter, [&](const TransactionRowCells &row) {
            balance += row.Amount;
            filler.add(row, balance);
            // A long list: let the window repaint now and then (the grid is hidden
            // meanwhile, and no input is taken).
            if ((++rows & 0x3FF) == 0 && sincePaint.elapsed() >= PaintIntervalMs) {
                m_lblNoTransactions->setText(QStringLiteral("Reading transactions ... %L1").arg(rows));
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                sincePaint.restart();
            }
        });
        filler.finish();
    }
    m_grid->AutoSizeRegisterColumns(filler.widths());
    m_strGrid->setVisible(rows > 0);
}

void TfrmReportCentre::FormActivate()
{
    if (m_populating)
        return;
    const int year = QDate::currentDate().year();
    {
        const QSignalBlocker fromBlocker(m_dtFrom);
        const QSignalBlocker toBlocker(m_dtTo);
        m_dtFrom->setDate(QDate(year, 1, 1));
        m_dtTo->setDate(QDate(year, 12, 31));
    }
    const ReportCentreLists lists = LoadReportCentreLists(m_session.MyDataModule);
    fillWithAll(m_cmbPayee, lists.payees);
    fillWithAll(m_cmbCategory, lists.categories);
    fillWithAll(m_cmbAccount, lists.accounts);
    {
        const QSignalBlocker blocker(m_cmbAccount);
        m_cmbAccount->setCurrentIndex(m_cmbAccount->findText(m_openingAccountName, Qt::MatchExactly));
    }
    PopulateReport();
}

void TfrmReportCentre::dtFromChange()
{
    if (m_dtTo->date() < m_dtFrom->date()) {
        const QSignalBlocker blocker(m_dtFrom);
        m_dtFrom->setDate(m_dtTo->date());
    }
    PopulateReport();
}

void TfrmReportCentre::dtToChange()
{
    if (m_dtFrom->date() > m_dtTo->date()) {
        const QSignalBlocker blocker(m_dtTo);
        m_dtTo->setDate(m_dtFrom->date());
    }
    PopulateReport();
}

void TfrmReportCentre::btnSearchClick()
{
    const QString text = m_edtSearch->text();
    const int col = m_cmbColNames->currentIndex();
    // An empty search text matches no row. Balances are not recomputed: each row
    // keeps the balance it had in the full list.
    m_strGrid->Model()->KeepRows(col, [&text](QStringView cell) {
        return !text.isEmpty() && cell.contains(text, Qt::CaseSensitive);
    });
}

void TfrmReportCentre::btnCancelClick()
{
    PopulateReport();
}

QString TfrmReportCentre::reportAccountName() const
{
    const QString name = m_cmbAccount->currentText();
    return name == QLatin1String(ReportAllItems) ? QStringLiteral("All") : name;
}

QString TfrmReportCentre::PageTitle() const
{
    return reportAccountName() + QStringLiteral(" account ") + QStringLiteral("transactions from ")
        + DateToText(m_dtFrom->date()) + QStringLiteral(" to ") + DateToText(m_dtTo->date());
}

QString TfrmReportCentre::ReportTitle() const
{
    return reportAccountName() + QStringLiteral(" account");
}

void TfrmReportCentre::btnPreviewClick()
{
    TrptDefaultReport report(*m_strGrid, PageTitle(), ReportTitle());
    report.engine().ShowPreview(this);
}

void TfrmReportCentre::ExporttoExcel1Click()
{
    ExportGridToExcel(*m_strGrid, m_session.notifier, this);
}

void TfrmReportCentre::ExporttoCSV1Click()
{
    ExportGridToCsv(*m_strGrid, m_session.notifier, this);
}

void OpenReportCentre(Session &session, const QString &registerAccountName, QWidget *parent)
{
    TfrmReportCentre window(session, registerAccountName, parent);
    ExecDialog(window);
}
