#include "ui/maintenance/wizard.h"

#include "core/session/session.h"
#include "ui/accounts/setupentry.h"
#include "ui/app/guarded.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/maintenance/optionsdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString NextCaption = QStringLiteral("&Next");
const QString FinishCaption = QStringLiteral("&Finish");

QPushButton *pageButton(const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

} // namespace

TfrmWizard::TfrmWizard(Session &session, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_session(session)
{
    setObjectName(QStringLiteral("TfrmWizard"));
    setWindowTitle(QStringLiteral("Wizard"));

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setAutoFillBackground(true);
    QPalette white = header->palette();
    white.setColor(QPalette::Window, Qt::white);
    header->setPalette(white);
    header->setMinimumHeight(57);
    lblTitle = new QLabel(header);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFrameShape(QFrame::Box);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTitleText = new QLabel(header);
    lblTitleText->setObjectName(QStringLiteral("lblTitleText"));
    Image1 = new QLabel(header);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogNewFolder, nullptr, this).pixmap(40, 40));
    auto *titles = new QVBoxLayout;
    titles->addWidget(lblTitle, 0, Qt::AlignLeft);
    titles->addWidget(lblTitleText);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->addLayout(titles, 1);
    headerLayout->addWidget(Image1);

    Button1 = pageButton("Button1", QStringLiteral("Setup Currencies"), QStringLiteral("Click here to setup Currencies"));
    Button2 = pageButton("Button2", QStringLiteral("Setup Accounts"), QStringLiteral("Click here to setup Accounts"));
    Button3 = pageButton("Button3", QStringLiteral("Setup Options"), QString());
    connect(Button1, &QPushButton::clicked, this, [this] { OpenCurrencySetup(m_session, this); });
    connect(Button2, &QPushButton::clicked, this, [this] { OpenAccountSetup(m_session, this); });
    connect(Button3, &QPushButton::clicked, this, [this] {
        Guarded(m_session.notifier, [&] {
            TfrmOptions options(m_session, this);
            ExecDialog(options);
        });
    });

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setToolTip(QStringLiteral("Click here to setup Options"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->addTab(makePage({QStringLiteral("Welcome to the Tillbrook new file creation wizard. Please follow "),
                                   QStringLiteral("the steps in this Wizard, so that they will aid you in setting your "),
                                   QStringLiteral("Tillbrook database file properly.")},
                                  nullptr),
                         QStringLiteral("Welcome"));
    PageControl1->addTab(
        makePage({QStringLiteral("Please click the Setup Currencies button below to setup your base "),
                  QStringLiteral("currency and other currencies you will be using in your newly created "),
                  QStringLiteral("Tillbrook database file. It is important to set your base currency "),
                  QStringLiteral("correctly and set up-to-date rates for other currencies.")},
                 Button1),
        QStringLiteral("Currency Setup"));
    PageControl1->addTab(makePage({QStringLiteral("Please click the Setup Accounts button below to setup the accounts "),
                                   QStringLiteral("that you will be working with. The default Cash and Savings accounts "),
                                   QStringLiteral("have been created automatically for you but can be altered or "),
                                   QStringLiteral("removed. You need to set the proper currency for the account to be "),
                                   QStringLiteral("able to work with multi-currency accounts.")},
                                  Button2),
                         QStringLiteral("Account Setup"));
    PageControl1->addTab(
        makePage({QStringLiteral("Please click the Setup Options button below to setup the options for "),
                  QStringLiteral("your newly created Tillbrook file. It is important to set the decimal "),
                  QStringLiteral("places precision you require as all calculations will be rounded by this "),
                  QStringLiteral("setting.")},
                 Button3),
        QStringLiteral("Options"));
    PageControl1->addTab(
        makePage({QStringLiteral("Click finish to start working with your newly created file. The file will "),
                  QStringLiteral("be setup with the options you have selected in this Wizard.")},
                 nullptr),
        QStringLiteral("Finish"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { RefreshHeader(); });

    btnPrevious = new QPushButton(QStringLiteral("&Previous"), this);
    btnPrevious->setObjectName(QStringLiteral("btnPrevious"));
    btnNext = new QPushButton(NextCaption, this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel this Wizard"));
    connect(btnPrevious, &QPushButton::clicked, this, &TfrmWizard::btnPreviousClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmWizard::btnNextClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnPrevious);
    buttons->addWidget(btnNext);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(header);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    buttons->setContentsMargins(6, 0, 6, 0);
    resize(586, 323);

    FormShow();
}

QWidget *TfrmWizard::makePage(const QStringList &lines, QPushButton *button)
{
    auto *page = new QWidget;
    auto *text = new QLabel(lines.join(QString()), page);
    text->setWordWrap(true);
    QFont font = text->font();
    font.setBold(true);
    font.setPixelSize(16);
    text->setFont(font);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(text);
    layout->addStretch(1);
    if (button) {
        button->setParent(page);
        layout->addWidget(button, 0, Qt::AlignHCenter);
        layout->addStretch(1);
    }
    return page;
}

void TfrmWizard::FormShow()
{
    const QString captions[PageCount] = {QStringLiteral("Welcome"), QStringLiteral("Currency Setup"),
                                         QStringLiteral("Account Setup"), QStringLiteral("Options"),
                                         QStringLiteral("Finish")};
    const QString descriptions[PageCount] = {
        QStringLiteral("Welcome to the New Tillbrook file creation wizard."),
        QStringLiteral("Setup the base currency and other currencies you will use."),
        QStringLiteral("Setup the accounts you will be using in Tillbrook."),
        QStringLiteral("Configure Tillbrook options."),
        QStringLiteral("Click Finish to create New Tillbrook file...")};
    for (int i = 0; i < PageCount; ++i)
        Pages[i] = {captions[i], captions[i], descriptions[i]};
    PageControl1->setCurrentIndex(0);
    RefreshHeader();
}

void TfrmWizard::RefreshHeader()
{
    const int page = qBound(0, PageControl1->currentIndex(), PageCount - 1);
    lblTitle->setText(Pages[page].title);
    lblTitleText->setText(Pages[page].description);
    btnPrevious->setEnabled(page != 0);
    btnNext->setText(page == PageCount - 1 ? FinishCaption : NextCaption);
}

void TfrmWizard::btnNextClick()
{
    if (btnNext->text() == FinishCaption) {
        accept();
        return;
    }
    if (PageControl1->currentIndex() < PageCount - 1)
        PageControl1->setCurrentIndex(PageControl1->currentIndex() + 1);
}

void TfrmWizard::btnPreviousClick()
{
    if (PageControl1->currentIndex() > 0)
        PageControl1->setCurrentIndex(PageControl1->currentIndex() - 1);
}
