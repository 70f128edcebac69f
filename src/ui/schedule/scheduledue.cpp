#include "ui/schedule/scheduledue.h"

#include "core/base/texthelpers.h"
#include "ui/app/guarded.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmScheduleDue::TfrmScheduleDue(TMyDataModule &db, Notifier &notifier, int digits, const QDate &today,
                                 const QList<DueOccurrence> &occurrences, QWidget *parent)
    : QDialog(parent), m_db(db), m_notifier(notifier), m_digits(digits), m_today(today)
{
    setObjectName(QStringLiteral("TfrmScheduleDue"));
    setWindowTitle(QStringLiteral("Scheduled Transactions Due"));

    auto *caption = new QLabel(QStringLiteral("These scheduled transactions have fallen due:"), this);
    lstDue = new QTreeWidget(this);
    lstDue->setObjectName(QStringLiteral("lstDue"));
    lstDue->setRootIsDecorated(false);
    lstDue->setUniformRowHeights(true);
    lstDue->setAllColumnsShowFocus(true);
    lstDue->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Account"), QStringLiteral("Payee"),
                             QStringLiteral("Amount")});
    lstDue->header()->setStretchLastSection(false);
    lstDue->header()->setSectionResizeMode(2, QHeaderView::Stretch);

    btnEnter = new QPushButton(QStringLiteral("&Enter"), this);
    btnEnter->setObjectName(QStringLiteral("btnEnter"));
    btnEnter->setToolTip(QStringLiteral("Enter the checked transactions"));
    btnEnter->setDefault(true);
    btnSkip = new QPushButton(QStringLiteral("&Skip"), this);
    btnSkip->setObjectName(QStringLiteral("btnSkip"));
    btnSkip->setToolTip(QStringLiteral("Move past the checked transactions without entering them"));
    btnLater = new QPushButton(QStringLiteral("&Later"), this);
    btnLater->setObjectName(QStringLiteral("btnLater"));
    btnLater->setToolTip(QStringLiteral("Close this window and ask again next time"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnEnter);
    buttons->addWidget(btnSkip);
    buttons->addStretch(1);
    buttons->addWidget(btnLater);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(lstDue, 1);
    layout->addLayout(buttons);

    connect(btnEnter, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnEnterClick(); }); });
    connect(btnSkip, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnSkipClick(); }); });
    connect(btnLater, &QPushButton::clicked, this, &QDialog::reject);

    fill(occurrences);
    for (int col = 0; col < lstDue->columnCount(); ++col)
        lstDue->resizeColumnToContents(col);
    resize(qMax(520, lstDue->header()->length() + 60), 360);
}

void TfrmScheduleDue::fill(const QList<DueOccurrence> &occurrences)
{
    m_occurrences = occurrences;
    lstDue->clear();
    for (const DueOccurrence &o : occurrences) {
        auto *item = new QTreeWidgetItem(lstDue, {DateToText(o.date), o.accountName, o.payeeName,
                                                  o.amount.toGroupedText(m_digits)});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
    }
    if (lstDue->topLevelItemCount() > 0)
        lstDue->setCurrentItem(lstDue->topLevelItem(0));
}

QList<DueOccurrence> TfrmScheduleDue::checked() const
{
    QList<DueOccurrence> result;
    for (int row = 0; row < lstDue->topLevelItemCount() && row < m_occurrences.size(); ++row)
        if (lstDue->topLevelItem(row)->checkState(0) == Qt::Checked)
            result << m_occurrences.at(row);
    return result;
}

void TfrmScheduleDue::setChecked(int row, bool on)
{
    if (QTreeWidgetItem *item = lstDue->topLevelItem(row))
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void TfrmScheduleDue::btnEnterClick()
{
    const QList<DueOccurrence> chosen = checked();
    if (chosen.isEmpty())
        return;
    m_entered += EnterOccurrences(m_db, chosen);
    refresh();
}

void TfrmScheduleDue::btnSkipClick()
{
    const QList<DueOccurrence> chosen = checked();
    if (chosen.isEmpty())
        return;
    m_skipped += SkipOccurrences(m_db, chosen);
    refresh();
}

void TfrmScheduleDue::refresh()
{
    // Only those still shown: one entered automatically meanwhile is not asked again.
    const QList<DueOccurrence> due = DueOccurrences(m_db, m_today).occurrences;
    QList<DueOccurrence> left;
    for (const DueOccurrence &o : std::as_const(m_occurrences))
        if (due.contains(o))
            left << o;
    if (left.isEmpty()) {
        accept();
        return;
    }
    fill(left);
}
