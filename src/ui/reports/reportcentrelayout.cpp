// TfrmReportCentre: the controls and their layout.
#include "ui/reports/reportcentre.h"

#include "ui/widgets/pubstrgrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

QFont boldFont(const QFont &base, int pointSize)
{
    QFont font = base;
    font.setBold(true);
    font.setPointSize(pointSize);
    return font;
}

QDateEdit *datePicker(const char *name, const QString &hint, QWidget *parent)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    picker->setToolTip(hint);
    return picker;
}

QComboBox *dropDownList(const char *name, const QString &hint, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(false);
    combo->setToolTip(hint);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(14);
    return combo;
}

QPushButton *button(const char *name, const QString &text, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void TfrmReportCentre::buildControls()
{
    setObjectName(QStringLiteral("TfrmReportCentre"));
    setWindowTitle(QStringLiteral("Report Centre"));
    resize(774, 480);
    setSizeGripEnabled(true);

    auto *label4 = new QLabel(QStringLiteral(" Reporting Options"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setFont(boldFont(font(), 10));

    m_dtFrom = datePicker("dtFrom", QStringLiteral("Select from date"), this);
    m_dtTo = datePicker("dtTo", QStringLiteral("Select to date"), this);
    m_cmbAccount = dropDownList("cmbAccount", QStringLiteral("Choose an account from the list or select all"), this);
    m_cmbPayee = dropDownList("cmbPayee", QStringLiteral("Filter by Payee or choose all"), this);
    m_cmbCategory = dropDownList("cmbCategory", QStringLiteral("Filter by Category or choose all"), this);

    auto *options = new QGridLayout;
    options->addWidget(new QLabel(QStringLiteral("Select the date range to generate the report from"), this), 0, 0, 1, 4);
    options->addWidget(buddyLabel(QStringLiteral("From"), m_dtFrom, this), 1, 0);
    options->addWidget(m_dtFrom, 1, 1);
    options->addWidget(buddyLabel(QStringLiteral("to"), m_dtTo, this), 1, 2);
    options->addWidget(m_dtTo, 1, 3);
    auto *label9 = buddyLabel(QStringLiteral("Choose an account"), m_cmbAccount, this);
    label9->setObjectName(QStringLiteral("Label9"));
    options->addWidget(label9, 0, 4);
    options->addWidget(m_cmbAccount, 1, 4);
    options->addWidget(buddyLabel(QStringLiteral("Choose a payee"), m_cmbPayee, this), 0, 5);
    options->addWidget(m_cmbPayee, 1, 5);
    options->addWidget(buddyLabel(QStringLiteral("Choose a category"), m_cmbCategory, this), 0, 6);
    options->addWidget(m_cmbCategory, 1, 6);
    options->setColumnStretch(7, 1);

    m_strGrid = new TPubStrGrid(this);
    m_strGrid->setObjectName(QStringLiteral("strGridTransactions"));
    QFont gridFont = font();
    gridFont.setPointSize(8);
    m_strGrid->setFont(gridFont);
    m_lblNoTransactions = new QLabel(QStringLiteral("No Transactions are present with the selected filter(s)."), this);
    m_lblNoTransactions->setObjectName(QStringLiteral("lblNoTransactions"));
    m_lblNoTransactions->setAlignment(Qt::AlignCenter);
    m_lblNoTransactions->setFont(boldFont(font(), 14));
    m_lblNoTransactions->setWordWrap(true);
    // The grid lies over the label: when the grid is hidden the label shows.
    auto *gridArea = new QStackedLayout;
    gridArea->setStackingMode(QStackedLayout::StackAll);
    gridArea->addWidget(m_lblNoTransactions);
    gridArea->addWidget(m_strGrid);
    m_strGrid->raise();

    m_exportMenu = new QMenu(m_strGrid);
    m_exportMenu->setObjectName(QStringLiteral("ExportMenu"));
    QAction *toExcel = m_exportMenu->addAction(QStringLiteral("Export to Excel..."));
    toExcel->setObjectName(QStringLiteral("ExporttoExcel1"));
    m_exportMenu->addSeparator();
    QAction *toCsv = m_exportMenu->addAction(QStringLiteral("Export to CSV..."));
    toCsv->setObjectName(QStringLiteral("ExporttoCSV1"));
    m_strGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_strGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        m_exportMenu->popup(m_strGrid->viewport()->mapToGlobal(pos));
    });
    connect(toExcel, &QAction::triggered, this, [this] { guarded([this] { ExporttoExcel1Click(); }); });
    connect(toCsv, &QAction::triggered, this, [this] { guarded([this] { ExporttoCSV1Click(); }); });

    m_edtSearch = new QLineEdit(this);
    m_edtSearch->setObjectName(QStringLiteral("edtSearch"));
    m_edtSearch->setMaxLength(100);
    m_edtSearch->setFont(boldFont(font(), 10));
    m_edtSearch->setToolTip(QStringLiteral("Search for a particular entry or entries"));
    m_cmbColNames = dropDownList("cmbColNames", QStringLiteral("Where do you wish to search?"), this);
    m_cmbColNames->setFont(boldFont(font(), 10));
    m_btnSearch = button("btnSearch", QStringLiteral("Search"), QStringLiteral("Search for the entered details"), this);
    m_btnCancel = button("btnCancel", QStringLiteral("Cancel"), QString(), this);
    m_btnPreview = button("btnPreview", QStringLiteral("&Preview"), QStringLiteral("Preview the report"), this);
    m_btnClose = button("btnClose", QStringLiteral("&Close"), QStringLiteral("Close this window"), this);

    auto *search = new QHBoxLayout;
    search->addWidget(buddyLabel(QStringLiteral("Search Filter"), m_edtSearch, this));
    search->addWidget(m_edtSearch, 2);
    search->addWidget(buddyLabel(QStringLiteral("Search in"), m_cmbColNames, this));
    search->addWidget(m_cmbColNames, 1);
    search->addWidget(m_btnSearch);
    search->addWidget(m_btnCancel);
    search->addStretch();
    search->addWidget(m_btnPreview);
    search->addWidget(m_btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label4);
    layout->addLayout(options);
    layout->addLayout(gridArea, 1);
    layout->addLayout(search);
}
