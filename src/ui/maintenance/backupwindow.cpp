#include "ui/maintenance/backupwindow.h"

#include "core/base/notices.h"
#include "ui/app/delay.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel *boldLabel(const QString &text, QWidget *parent, int pointSizeDelta = 0)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    if (pointSizeDelta)
        font.setPointSize(font.pointSize() + pointSizeDelta);
    label->setFont(font);
    return label;
}

QLabel *picture(QStyle::StandardPixmap which, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(parent->style()->standardIcon(which, nullptr, parent).pixmap(48, 48));
    return label;
}

} // namespace

TfrmBackup::TfrmBackup(Notifier &notifier, bool waitsEnabled, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_notifier(notifier), m_waitsEnabled(waitsEnabled)
{
    setObjectName(QStringLiteral("TfrmBackup"));
    setWindowTitle(QStringLiteral("Backup"));
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    lblFrom = boldLabel(QStringLiteral("From"), this);
    lblFrom->setObjectName(QStringLiteral("lblFrom"));
    lblTo = boldLabel(QStringLiteral("To"), this);
    lblTo->setObjectName(QStringLiteral("lblTo"));
    lblFromText = new QLabel(this);
    lblFromText->setObjectName(QStringLiteral("lblFromText"));
    lblFromText->setWordWrap(true);
    lblToText = new QLabel(this);
    lblToText->setObjectName(QStringLiteral("lblToText"));
    lblToText->setWordWrap(true);
    lblWait = boldLabel(QStringLiteral("Please wait ..."), this, 6);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    imgCompress = picture(QStyle::SP_DialogSaveButton, this);
    imgCompress->setObjectName(QStringLiteral("imgCompress"));
    imgDecompress = picture(QStyle::SP_DialogOpenButton, this);
    imgDecompress->setObjectName(QStringLiteral("imgDecompress"));
    imgDecompress->hide();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 99);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel the current action"));
    connect(btnCancel, &QPushButton::clicked, this, &TfrmBackup::btnCancelClick);

    auto *paths = new QGridLayout;
    paths->addWidget(lblFrom, 0, 0, Qt::AlignTop);
    paths->addWidget(lblFromText, 0, 1);
    paths->addWidget(lblTo, 1, 0, Qt::AlignTop);
    paths->addWidget(lblToText, 1, 1);
    paths->setColumnStretch(1, 1);

    auto *top = new QHBoxLayout;
    top->addLayout(paths, 1);
    top->addWidget(imgCompress, 0, Qt::AlignTop);
    top->addWidget(imgDecompress, 0, Qt::AlignTop);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblWait);
    layout->addWidget(ProgressBar1);
    layout->addWidget(line);
    layout->addLayout(buttons);
    resize(422, 214);
}

void TfrmBackup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    setWindowTitle(IsRestore ? QStringLiteral("Restore") : QStringLiteral("Backup"));
}

void TfrmBackup::wait(int milliseconds)
{
    if (m_waitsEnabled)
        Delay(milliseconds);
}

void TfrmBackup::showProgress(bool isRestore, const QString &from, const QString &to)
{
    IsRestore = isRestore ? 1 : 0;
    imgCompress->setVisible(!isRestore);
    imgDecompress->setVisible(isRestore);
    lblFromText->setText(from);
    lblToText->setText(to);
    ProgressBar1->setValue(0);
    show();
    raise();
    QCoreApplication::processEvents();
}

void TfrmBackup::setProgress(int value)
{
    ProgressBar1->setValue(qBound(0, value, 99));
    // The one moment the work lets the windows answer: a press of Cancel lands here.
    QCoreApplication::processEvents();
}

void TfrmBackup::showStep(const QString &text)
{
    lblWait->setText(text);
    QCoreApplication::processEvents();
}

void TfrmBackup::closeProgress()
{
    hide();
}

void TfrmBackup::btnCancelClick()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    ShowNotice(m_notifier, IsRestore ? QStringLiteral("Restore cancelled.") : QStringLiteral("Backup cancelled."),
               WarningBar);
    hide();
}
