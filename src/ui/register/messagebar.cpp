#include "ui/register/messagebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>

namespace {

const QColor Cream(255, 251, 240);

QLabel *makeIcon(QWidget *parent, QStyle::StandardPixmap which, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedSize(24, 20);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(parent->style()->standardIcon(which).pixmap(16, 16));
    label->hide();
    return label;
}

} // namespace

MessageBar::MessageBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlWarning"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Cream);
    setPalette(pal);

    m_picInfo = makeIcon(this, QStyle::SP_MessageBoxInformation, "picInfo");
    m_picCross = makeIcon(this, QStyle::SP_MessageBoxCritical, "picCross");

    m_warningBar = new QLabel(this);
    m_warningBar->setObjectName(QStringLiteral("WarningBar"));
    QFont barFont = m_warningBar->font();
    barFont.setPointSize(12);
    m_warningBar->setFont(barFont);
    m_warningBar->setTextFormat(Qt::PlainText);
    m_warningBar->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 4, 1);
    layout->setSpacing(2);
    layout->addWidget(m_picInfo);
    layout->addWidget(m_picCross);
    layout->addWidget(m_warningBar, 1);

    m_warningTimer = new QTimer(this);
    m_warningTimer->setObjectName(QStringLiteral("WarningTimer"));
    m_warningTimer->setInterval(HideAfterMs);
    // Exact, so the bar leaves when the first message's 5 s are over.
    m_warningTimer->setTimerType(Qt::PreciseTimer);
    connect(m_warningTimer, &QTimer::timeout, this, &MessageBar::warningTimerTimer);

    hide();
}

void MessageBar::showMessage(const QString &text, BarKind kind)
{
    const bool warning = kind == BarKind::Warning;
    QPalette pal = m_warningBar->palette();
    pal.setColor(QPalette::WindowText, warning ? QColor(255, 0, 0) : QColor(0, 128, 0));
    m_warningBar->setPalette(pal);
    m_warningBar->setText(text);
    m_picCross->setVisible(warning);
    m_picInfo->setVisible(!warning);
    m_warningBar->show();
    show();
    // A running timer keeps its time: the bar leaves when the first message's time is up.
    if (!m_warningTimer->isActive())
        m_warningTimer->start();
}

QString MessageBar::text() const
{
    return m_warningBar->text();
}

bool MessageBar::isTimerActive() const
{
    return m_warningTimer->isActive();
}

int MessageBar::remainingTime() const
{
    return m_warningTimer->remainingTime();
}

void MessageBar::warningTimerTimer()
{
    hide();
    m_warningBar->hide();
    m_warningTimer->stop();
    emit hidden();
}
