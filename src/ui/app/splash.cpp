#include "ui/app/splash.h"

#include "core/datafile/programfolder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TfrmSplash"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setWindowOpacity(240.0 / 255.0);
    setMinimumSize(415, 242);

    auto *title = new QLabel(QStringLiteral("Tillbrook"), this);
    title->setObjectName(QStringLiteral("Image1"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 3.0);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    QPalette green = title->palette();
    green.setColor(QPalette::WindowText, QColor(0, 110, 70));
    title->setPalette(green);

    auto *subtitle = new QLabel(QStringLiteral("Your household cash book"), this);
    subtitle->setObjectName(QStringLiteral("Image2"));
    subtitle->setAlignment(Qt::AlignCenter);

    lblVersion = new QLabel(QStringLiteral("ver 1.0a"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignRight);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 3);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(8);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch(1);
    layout->addWidget(lblVersion);
    layout->addWidget(ProgressBar1);

    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setInterval(2000);
    connect(tmrSplash, &QTimer::timeout, this, [this] {
        tmrSplash->stop();
        close();
    });
}

TfrmSplash::~TfrmSplash()
{
    restoreCursor();
}

void TfrmSplash::setProgress(int step)
{
    ProgressBar1->setValue(step);
    repaint();
}

void TfrmSplash::startTimer()
{
    tmrSplash->start();
}

void TfrmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_busyCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyCursor = true;
    }
    lblVersion->setText(GetFileVersionText(QCoreApplication::applicationFilePath(), "%d.%d.%d.%d")
                        + QStringLiteral("  "));
}

void TfrmSplash::closeEvent(QCloseEvent *event)
{
    restoreCursor();
    QWidget::closeEvent(event);
}

void TfrmSplash::restoreCursor()
{
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
}
