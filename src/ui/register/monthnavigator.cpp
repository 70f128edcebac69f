#include "ui/register/monthnavigator.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

QPushButton *makeButton(QWidget *parent, const QString &text, const char *name, const QString &hint)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    const int width = button->fontMetrics().horizontalAdvance(text) + 16;
    button->setMaximumWidth(qMax(width, 28));
    return button;
}

} // namespace

MonthNavigator::MonthNavigator(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlMonth"));

    m_popupMonths = new QMenu(this);
    m_popupMonths->setObjectName(QStringLiteral("PopupMonths"));
    for (int m = 1; m <= 12; ++m) {
        QAction *item = m_popupMonths->addAction(EnglishMonthName(m));
        item->setData(m);
        connect(item, &QAction::triggered, this, [this, m] {
            setMonthButton(m);
            emit monthChosen();
        });
    }

    m_btnMonths = new QToolButton(this);
    m_btnMonths->setObjectName(QStringLiteral("btnMonths"));
    m_btnMonths->setAutoRaise(true);
    m_btnMonths->setPopupMode(QToolButton::InstantPopup);
    m_btnMonths->setMenu(m_popupMonths);
    m_btnMonths->setToolTip(QStringLiteral(
        "Select the month in which you want to go to and view its transactions."));
    // Wide enough for the longest name, so the bar does not jump between months.
    m_btnMonths->setMinimumWidth(m_btnMonths->fontMetrics().horizontalAdvance(
                                     QStringLiteral("September")) + 28);

    m_edtYears = new QComboBox(this);
    m_edtYears->setObjectName(QStringLiteral("edtYears"));
    m_edtYears->setToolTip(QStringLiteral(
        "Select the year in which you want to go to and view its transactions."));
    QStringList years;
    years.reserve(RegisterLastYear - RegisterFirstYear + 1);
    for (int y = RegisterFirstYear; y <= RegisterLastYear; ++y)
        years.append(QString::number(y));
    m_edtYears->addItems(years);
    m_edtYears->setMaxVisibleItems(12);
    connect(m_edtYears, &QComboBox::currentIndexChanged, this, [this] { emit monthChosen(); });

    m_btnLessDate = makeButton(this, QStringLiteral("<"), "btnLessDate",
                               QStringLiteral("Go to the previous month"));
    m_btnToday = makeButton(this, QStringLiteral("Today"), "btnToday",
                            QStringLiteral("Go to the current month"));
    m_btnMoreDate = makeButton(this, QStringLiteral(">"), "btnMoreDate",
                               QStringLiteral("Go to the next month"));
    connect(m_btnLessDate, &QPushButton::clicked, this, [this] { StepMonth(false); });
    connect(m_btnMoreDate, &QPushButton::clicked, this, [this] { StepMonth(true); });
    connect(m_btnToday, &QPushButton::clicked, this, [this] {
        const QDate today = QDate::currentDate();
        showMonth({today.month(), today.year()});
        emit monthChosen();
    });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_btnMonths);
    layout->addWidget(m_edtYears);
    layout->addWidget(m_btnLessDate);
    layout->addWidget(m_btnToday);
    layout->addWidget(m_btnMoreDate);

    const QDate today = QDate::currentDate();
    showMonth({today.month(), today.year()});
}

ShownMonth MonthNavigator::shownMonth() const
{
    return {m_month, RegisterFirstYear + qMax(0, m_edtYears->currentIndex())};
}

void MonthNavigator::showMonth(ShownMonth month)
{
    month = month.bounded();
    setMonthButton(month.month);
    const QSignalBlocker blocker(m_edtYears);
    m_edtYears->setCurrentIndex(month.year - RegisterFirstYear);
}

void MonthNavigator::StepMonth(bool forward)
{
    const ShownMonth current = shownMonth();
    const ShownMonth next = current.stepped(forward);
    if (next == current)
        return;
    showMonth(next);
    emit monthChosen();
}

void MonthNavigator::setMonthButton(int month)
{
    m_month = month;
    m_btnMonths->setText(EnglishMonthName(month));
}
