#include "ui/reports/graphbudget.h"

#include "core/lists/items.h"
#include "core/reports/budgetanalysis.h"
#include "ui/app/guarded.h"
#include "ui/reports/daterangeedits.h"
#include "ui/reports/reportcharts.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmGraphBudget::TfrmGraphBudget(TMyDataModule &db, Notifier &notifier, QWidget *parent,
                                 std::function<QDate()> today)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , dates(new DateRangeEdits(this))
    , rdPayee(new QRadioButton(QStringLiteral("Payees"), this))
    , rdCategories(new QRadioButton(QStringLiteral("Categories"), this))
    , cmbLists(new QComboBox(this))
    , lblNoTransactions(new QLabel(QStringLiteral("No Transactions available for the above dates"), this))
    , chartView(new QChartView(this))
    , Chart1(new QChart)
    , lblBudgetNotSet(new QLabel(QStringLiteral("Budget may have not been set and will be shown as 0"), this))
    , chkGroupByMonth(new QCheckBox(QStringLiteral("Group by Month"), this))
    , btnPrint(new QPushButton(QStringLiteral("Print"), this))
    , btnClose(new QPushButton(QStringLiteral("Close"), this))
    , m_db(db)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmGraphBudget"));
    setWindowTitle(QStringLiteral("Budgets"));
    rdPayee->setObjectName(QStringLiteral("rdPayee"));
    rdPayee->setToolTip(QStringLiteral("List Payees only"));
    rdPayee->setChecked(true);
    rdCategories->setObjectName(QStringLiteral("rdCategories"));
    rdCategories->setToolTip(QStringLiteral("List Categories only"));
    cmbLists->setObjectName(QStringLiteral("cmbLists"));
    cmbLists->setToolTip(QStringLiteral("Select an item from the drop down list to view its current budget status."));
    cmbLists->setMinimumContentsLength(20);
    lblNoTransactions->setObjectName(QStringLiteral("lblNoTransactions"));
    lblNoTransactions->setAlignment(Qt::AlignCenter);
    QFont big = lblNoTransactions->font();
    big.setBold(true);
    big.setPointSize(12);
    lblNoTransactions->setFont(big);
    lblNoTransactions->hide();
    Chart1->setObjectName(QStringLiteral("Chart1"));
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->setChart(Chart1);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setRubberBand(QChartView::RectangleRubberBand);
    chartView->setToolTip(QStringLiteral("Your income will be listed as a negative figure and your expense will be "
                                         "positive,\nas they will be values below and above the budget."));
    lblBudgetNotSet->setObjectName(QStringLiteral("lblBudgetNotSet"));
    lblBudgetNotSet->setAlignment(Qt::AlignCenter);
    QFont bold = lblBudgetNotSet->font();
    bold.setBold(true);
    lblBudgetNotSet->setFont(bold);
    lblBudgetNotSet->hide();
    chkGroupByMonth->setObjectName(QStringLiteral("chkGroupByMonth"));
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setToolTip(QStringLiteral("Print the chart"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Close this window"));

    auto *dateRow = DateRangeAndKindRow(*dates, rdPayee, rdCategories, this);
    auto *selectRow = new QHBoxLayout;
    auto *lblSelect = new QLabel(QStringLiteral("Select"), this);
    lblSelect->setBuddy(cmbLists);
    selectRow->addWidget(lblSelect);
    selectRow->addWidget(cmbLists, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(chkGroupByMonth);
    bottom->addStretch(1);
    bottom->addWidget(btnPrint);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select the date range to generate the report from"), this));
    layout->addLayout(dateRow);
    layout->addLayout(selectRow);
    // The chart or, in its place, the label takes the spare height, so the rows above
    // stay at the top either way.
    layout->addWidget(lblNoTransactions, 1);
    layout->addWidget(chartView, 1);
    layout->addWidget(lblBudgetNotSet);
    layout->addLayout(bottom);
    resize(637, 462);

    auto refresh = [this] { Guarded(m_notifier, [this] { RefreshBudgetChart(); }); };
    auto kindChanged = [this](bool on) {
        if (!on)
            return;
        Guarded(m_notifier, [this] {
            FillBudgetItemList();
            RefreshBudgetChart();
        });
    };
    connect(dates, &DateRangeEdits::rangeChanged, this, refresh);
    connect(rdPayee, &QRadioButton::toggled, this, kindChanged);
    connect(rdCategories, &QRadioButton::toggled, this, kindChanged);
    connect(cmbLists, &QComboBox::currentIndexChanged, this, refresh);
    connect(chkGroupByMonth, &QCheckBox::toggled, this, refresh);
    connect(btnPrint, &QPushButton::clicked, this,
            [this] { Guarded(m_notifier, [this] { PrintChartOnDefaultPrinter(Chart1); }); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    // FormShow: the whole current year, the payees, nothing chosen.
    Guarded(m_notifier, [this] { FillBudgetItemList(); });
    dates->setWholeYear(today ? today() : QDate::currentDate());
}

ReportItemKind TfrmGraphBudget::kind() const
{
    return rdCategories->isChecked() ? ReportItemKind::Categories : ReportItemKind::Payees;
}

void TfrmGraphBudget::FillBudgetItemList()
{
    const ReportItemColumns &c = ColumnsOf(kind());
    const QSignalBlocker blocker(cmbLists);
    cmbLists->clear();
    cmbLists->addItems(ItemNames(m_db, c.table, c.nameColumn));
    cmbLists->setCurrentIndex(-1);
}

void TfrmGraphBudget::RefreshBudgetChart()
{
    if (chkGroupByMonth->isChecked())
        PlotBudgetByMonth();
    else
        PlotBudgetByDay();
}

int TfrmGraphBudget::selectedItem() const
{
    return BudgetItemId(m_db, kind(), cmbLists->currentText());
}

void TfrmGraphBudget::showPoints(bool any)
{
    lblNoTransactions->setVisible(!any);
    chartView->setVisible(any);
}

void TfrmGraphBudget::PlotBudgetByDay()
{
    const int item = selectedItem();
    const QList<BudgetPoint> points = BudgetByDay(m_db, kind(), item, dates->range());
    FillBudgetChart(Chart1, points);
    showPoints(!points.isEmpty());
    if (!cmbLists->currentText().isEmpty())
        lblBudgetNotSet->setVisible(!BudgetIsSet(m_db, kind(), item));
}

void TfrmGraphBudget::PlotBudgetByMonth()
{
    const QList<BudgetPoint> points = BudgetByMonth(m_db, kind(), selectedItem(), dates->range());
    FillBudgetChart(Chart1, points);
    showPoints(!points.isEmpty());
}
