#include "ui/reports/accountsummarywindow.h"

#include "core/reports/accountsummary.h"
#include "core/session/programoptions.h"
#include "ui/app/guarded.h"
#include "ui/widgets/autosizecolumn.h"
#include "ui/widgets/pubstrgrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Indent = QStringLiteral("  ");
}

TfrmAccountSummary::TfrmAccountSummary(TMyDataModule &db, const ProgramOptions &options, Notifier &notifier,
                                       QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , lblStatus(new QLabel(QStringLiteral("No Transactions present to calculate balance."), this))
    , StringGridAccounts(new TPubStrGrid(this))
    , btnOK(new QPushButton(QStringLiteral("OK"), this))
    , Label1(new QLabel(QStringLiteral("Values are in local currency"), this))
    , m_db(db)
    , m_options(options)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmAccountSummary"));
    setWindowTitle(QStringLiteral("Account Summary"));

    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setAlignment(Qt::AlignCenter);
    QFont bold = lblStatus->font();
    bold.setBold(true);
    lblStatus->setFont(bold);
    lblStatus->setWordWrap(true);

    StringGridAccounts->setObjectName(QStringLiteral("StringGridAccounts"));
    StringGridAccounts->setToolTip(QStringLiteral("A summary of your accounts in you local currency"));
    StringGridAccounts->SetColCount(2);
    StringGridAccounts->SetDefaultRowHeight(21);
    StringGridAccounts->setShowGrid(false);
    StringGridAccounts->SetGrid3D(false);
    StringGridAccounts->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGridAccounts->SetOnGetAlignment([](int, int col, TAlignment &alignment) {
        if (col == 1)
            alignment = taRightJustify;
    });
    // The total row is the last one; its texts are bold.
    StringGridAccounts->SetOnGetCellColor([this](int row, int, TGridDrawState, TGridCellStyle &style) {
        if (row > 0 && row == StringGridAccounts->RowCount() - 1)
            style.Font.setBold(true);
    });

    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setToolTip(QStringLiteral("Close this window"));
    btnOK->setDefault(true);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus);
    layout->addWidget(StringGridAccounts, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnOK);
    buttonRow->addStretch(1);
    layout->addLayout(buttonRow);
    layout->addWidget(Label1);
    resize(356, 348);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    Guarded(m_notifier, [this] { LoadSummary(); });
}

bool TfrmAccountSummary::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Guarded(m_notifier, [this] { LoadSummary(); });
    return QDialog::event(event);
}

void TfrmAccountSummary::LoadSummary()
{
    const AccountSummary summary = LoadAccountSummary(m_db);
    const int digits = m_options.DecimalDigits;
    TPubStrGrid *grid = StringGridAccounts;
    grid->BeginUpdate();
    grid->ClearCells();
    grid->SetRowCount(1);
    grid->SetColCount(2);
    grid->SetFixedRows(1);
    grid->SetRow(0, {QStringLiteral("Account Name"), QStringLiteral("Account Balance")});
    for (const AccountBalance &account : summary.accounts)
        grid->AppendRow({Indent + account.AccountDescription, Indent + account.Balance.toGroupedText(digits)});
    const bool empty = summary.accounts.isEmpty();
    if (!empty)
        grid->AppendRow({QString(), Indent + summary.total.toGroupedText(digits)});
    grid->EndUpdate();
    grid->setVisible(!empty);
    lblStatus->setVisible(empty);
    if (!empty)
        fitColumns();
}

void TfrmAccountSummary::fitColumns()
{
    const int half = StringGridAccounts->viewport()->width() / 2;
    for (int column = 0; column < 2; ++column)
        AutoSizeColumn(StringGridAccounts, column, half - 15, half);
}
