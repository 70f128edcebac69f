#include "ui/reports/graphreports.h"

#include "core/reports/chartseries.h"
#include "ui/app/guarded.h"
#include "ui/reports/daterangeedits.h"
#include "ui/reports/barlistview.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

TfrmGraphReports::TfrmGraphReports(TMyDataModule &db, Notifier &notifier, QWidget *parent,
                                   std::function<QDate()> today)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , dates(new DateRangeEdits(this))
    , rdPayee(new QRadioButton(QStringLiteral("Payees"), this))
    , rdCategories(new QRadioButton(QStringLiteral("Categories"), this))
    , GroupBox1(new QGroupBox(QStringLiteral("Graph"), this))
    , Chart1(new BarListView)
    , btnPrint(new QPushButton(QStringLiteral("Print"), this))
    , btnClose(new QPushButton(QStringLiteral("Close"), this))
    , m_db(db)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmGraphReports"));
    setWindowTitle(QStringLiteral("Graphical Reports"));
    rdPayee->setObjectName(QStringLiteral("rdPayee"));
    rdPayee->setToolTip(QStringLiteral("View all Payees"));
    rdPayee->setChecked(true);
    rdCategories->setObjectName(QStringLiteral("rdCategories"));
    rdCategories->setToolTip(QStringLiteral("View all categories"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Chart1->setObjectName(QStringLiteral("Chart1"));
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnPrint->setToolTip(QStringLiteral("Print this chart"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Close this window"));

    auto *top = new QVBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Select the date range to generate the report from"), this));
    auto *dateRow = DateRangeAndKindRow(*dates, rdPayee, rdCategories, this);
    top->addLayout(dateRow);
    auto *graph = new QVBoxLayout(GroupBox1);
    graph->addWidget(MakeBarListScrollArea(Chart1, GroupBox1));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnPrint);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(bottom);
    resize(640, 480);

    auto redraw = [this] { Guarded(m_notifier, [this] { PlotNetTotals(); }); };
    connect(dates, &DateRangeEdits::rangeChanged, this, redraw);
    connect(rdPayee, &QRadioButton::toggled, this, [redraw](bool on) {
        if (on)
            redraw();
    });
    connect(rdCategories, &QRadioButton::toggled, this, [redraw](bool on) {
        if (on)
            redraw();
    });
    connect(btnPrint, &QPushButton::clicked, this,
            [this] { Guarded(m_notifier, [this] { PrintBarListOnDefaultPrinter(Chart1->chart()); }); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    // FormShow: the whole current year, drawn.
    dates->setWholeYear(today ? today() : QDate::currentDate());
}

ReportItemKind TfrmGraphReports::kind() const
{
    return rdCategories->isChecked() ? ReportItemKind::Categories : ReportItemKind::Payees;
}

void TfrmGraphReports::PlotNetTotals()
{
    Chart1->setChart(NetTotalsBars(NetTotalsTitle(kind()), NetTotalsSeries(m_db, kind(), dates->range())));
}
