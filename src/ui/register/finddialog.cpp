#include "ui/register/finddialog.h"

#include "core/base/notifier.h"
#include "core/register/gridsearch.h"
#include "ui/app/guarded.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/widgets/pubstrgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFind::TFind(Notifier &notifier, TPubStrGrid *grid, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_notifier(notifier)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("TFind"));
    setWindowTitle(QStringLiteral("Find"));

    GroupBox1 = new QGroupBox(QStringLiteral("Enter text to find"), this);
    edtFind = new QLineEdit(GroupBox1);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setToolTip(QStringLiteral("Enter any text here"));
    QFont big = edtFind->font();
    big.setPointSize(12);
    edtFind->setFont(big);

    chkExact = new QCheckBox(QStringLiteral("Exact Phrase"), GroupBox1);
    chkExact->setObjectName(QStringLiteral("chkExact"));
    chkExact->setToolTip(QStringLiteral("Search the exact text as it has been entered"));
    rdUp = new QRadioButton(QStringLiteral("Up"), GroupBox1);
    rdUp->setObjectName(QStringLiteral("rdUp"));
    rdUp->setToolTip(QStringLiteral("Search backward"));
    rdDown = new QRadioButton(QStringLiteral("Down"), GroupBox1);
    rdDown->setObjectName(QStringLiteral("rdDown"));
    rdDown->setToolTip(QStringLiteral("Search forward"));
    rdDown->setChecked(true);

    auto *lblColNames = new QLabel(QStringLiteral("Search in"), GroupBox1);
    cmbColNames = new QComboBox(GroupBox1);
    cmbColNames->setObjectName(QStringLiteral("cmbColNames"));
    cmbColNames->setEditable(false);
    cmbColNames->setToolTip(QStringLiteral("Which field do you wish to search in?"));
    lblColNames->setBuddy(cmbColNames);
    for (int col = 0; col < grid->ColCount(); ++col)
        cmbColNames->addItem(grid->Cells(col, 0));
    cmbColNames->setCurrentIndex(cmbColNames->count() > 1 ? 1 : cmbColNames->count() - 1);

    btnFindNext = new QPushButton(QStringLiteral("&Find Next"), this);
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    btnFindNext->setToolTip(QStringLiteral("Find the next item"));
    btnFindNext->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Close this window"));

    connect(btnFindNext, &QPushButton::clicked, this, &TFind::btnFindNextClick);
    connect(btnClose, &QPushButton::clicked, this, &TFind::btnCloseClick);

    auto *options = new QHBoxLayout;
    options->addWidget(chkExact);
    options->addStretch(1);
    options->addWidget(rdUp);
    options->addWidget(rdDown);
    options->addSpacing(12);
    options->addWidget(lblColNames);
    options->addWidget(cmbColNames);

    auto *group = new QVBoxLayout(GroupBox1);
    group->addWidget(edtFind);
    group->addLayout(options);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnFindNext);
    buttons->addWidget(btnClose);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edtFind->setFocus();
}

void TFind::btnFindNextClick()
{
    Guarded(m_notifier, [&] { SearchGrid(edtFind->text(), m_grid, chkExact->isChecked(), cmbColNames->currentIndex()); });
}

void TFind::btnCloseClick()
{
    reject();
}

int TFind::SearchGrid(const QString &text, TPubStrGrid *grid, bool exact, int column)
{
    const bool enabled = grid->isEnabled();
    if (!enabled)
        m_notifier.showMessageBox(MessageBoxKind::Warning, QLatin1String(SearchWhileEditingText));
    GridSearch search;
    search.text = text;
    search.exact = exact;
    search.down = rdDown->isChecked();
    search.currentRow = grid->CurrentRow();
    search.lastRow = grid->RowCount() - 1;
    const int found = enabled && column >= 0
        ? SearchGridRows(search, [&](int row) { return grid->Cells(column, row); })
        : 0;
    if (found > 0)
        grid->SetCurrentRow(found);
    else
        m_notifier.showMessageBox(MessageBoxKind::Information, QLatin1String(NoMoreEntriesText));
    return found;
}

void OpenFind(Notifier &notifier, TPubStrGrid *grid, QWidget *parent)
{
    TFind find(notifier, grid, parent);
    ExecDialog(find);
}
