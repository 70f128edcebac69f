#include "ui/feedback/vistadialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QStyle::StandardPixmap pixmapOf(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    case DialogIcon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case DialogIcon::Warning:
        break;
    }
    return QStyle::SP_MessageBoxWarning;
}

} // namespace

TfrmVistaDlg::TfrmVistaDlg(const MessageDialogRequest &request, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfrmVistaDlg"));
    setWindowTitle(request.caption);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto *picture = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(pixmapOf(request.icon), nullptr, this).pixmap(iconSize, iconSize));
    picture->setAlignment(Qt::AlignTop);

    lblTopMessage = new QLabel(request.top, this);
    lblTopMessage->setObjectName(QStringLiteral("lblTopMessage"));
    QFont bold = lblTopMessage->font();
    bold.setBold(true);
    lblTopMessage->setFont(bold);
    lblTopMessage->setAlignment(Qt::AlignCenter);
    lblTopMessage->setWordWrap(true);
    lblTopMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblTopMessage->setMinimumWidth(320);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(17, 12, 12, 12);
    top->setSpacing(12);
    top->addWidget(picture);
    top->addWidget(lblTopMessage, 1);

    btnMore = new QPushButton(QStringLiteral("More"), this);
    btnMore->setObjectName(QStringLiteral("btnMore"));
    btnMore->setFlat(true);
    btnMore->setToolTip(QStringLiteral("Click here for a more detailed message"));
    btnMore->setAutoDefault(false);
    btnMore->setVisible(!request.details.isEmpty());
    connect(btnMore, &QPushButton::clicked, this, &TfrmVistaDlg::btnMoreClick);

    lblMiddleMessage = new QLabel(request.details, this);
    lblMiddleMessage->setObjectName(QStringLiteral("lblMiddleMessage"));
    lblMiddleMessage->setAlignment(Qt::AlignCenter);
    lblMiddleMessage->setWordWrap(true);
    lblMiddleMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblMiddleMessage->setMinimumHeight(64);
    lblMiddleMessage->setVisible(false);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    lblBottomMessage = new QLabel(request.bottom, this);
    lblBottomMessage->setObjectName(QStringLiteral("lblBottomMessage"));
    QPalette grey = lblBottomMessage->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    lblBottomMessage->setPalette(grey);

    Button1 = new QPushButton(request.button1, this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setVisible(!request.button1.isEmpty());
    Button2 = new QPushButton(request.button2, this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setVisible(!request.button2.isEmpty());
    for (QPushButton *button : {Button1, Button2}) {
        button->setMinimumWidth(75);
        connect(button, &QPushButton::clicked, this, [this, button] { buttonClick(button); });
    }

    auto *bottomRow = new QHBoxLayout;
    bottomRow->addWidget(lblBottomMessage, 1);
    bottomRow->addWidget(Button1);
    bottomRow->addWidget(Button2);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(btnMore, 0, Qt::AlignLeft);
    layout->addWidget(lblMiddleMessage);
    layout->addWidget(line);
    layout->addLayout(bottomRow);
}

void TfrmVistaDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Enter answers with the second button ("No" in a question, "Ok" in a notice).
    QPushButton *first = Button2->isVisibleTo(this) ? Button2 : Button1;
    first->setDefault(true);
    first->setFocus();
}

void TfrmVistaDlg::btnMoreClick()
{
    btnMore->hide();
    lblMiddleMessage->show();
    layout()->activate();
    adjustSize();
}

void TfrmVistaDlg::buttonClick(QPushButton *button)
{
    m_result = button->text();
    accept();
}
