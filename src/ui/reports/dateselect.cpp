#include "ui/reports/dateselect.h"

#include "ui/feedback/dialogrunner.h"
#include "ui/reports/daterangeedits.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmDateSelect::TfrmDateSelect(QWidget *parent, std::function<QDate()> today)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , dates(new DateRangeEdits(this))
    , btnPreview(new QPushButton(QStringLiteral("&Preview"), this))
    , btnClose(new QPushButton(QStringLiteral("&Close"), this))
{
    setObjectName(QStringLiteral("TfrmDateSelect"));
    setWindowTitle(QStringLiteral("Select dates"));
    btnPreview->setObjectName(QStringLiteral("btnPreview"));
    btnPreview->setToolTip(QStringLiteral("Preview the report"));
    btnPreview->setDefault(true);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("Close this window"));

    auto *label7 = new QLabel(QStringLiteral("Select the date range to generate the report from"), this);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("From"), this));
    dateRow->addWidget(dates->dtFrom, 1);
    dateRow->addWidget(new QLabel(QStringLiteral("to"), this));
    dateRow->addWidget(dates->dtTo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPreview);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label7);
    layout->addLayout(dateRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnPreview, &QPushButton::clicked, this, [this] {
        Cancelled = false;
        accept();
    });
    connect(btnClose, &QPushButton::clicked, this, [this] {
        Cancelled = true;
        reject();
    });
    // Escape and the window manager's close count as Close.
    connect(this, &QDialog::rejected, this, [this] { Cancelled = true; });
    dates->setWholeYear(today ? today() : QDate::currentDate());
}

ReportDateRange TfrmDateSelect::range() const
{
    return dates->range();
}

std::optional<ReportDateRange> AskReportDates(QWidget *parent)
{
    TfrmDateSelect dialog(parent);
    ExecDialog(dialog);
    if (dialog.Cancelled)
        return std::nullopt;
    return dialog.range();
}
