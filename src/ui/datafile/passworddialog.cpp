#include "ui/datafile/passworddialog.h"

#include "ui/feedback/dialogrunner.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmPassword::TfrmPassword(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral("Please enter password"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(48, 48));
    Image1->setAlignment(Qt::AlignTop);

    Label1 = new QLabel(QStringLiteral("The file that you are trying to open, is locked by a password.\n"
                                       "Please enter the password to be able to open the file."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(280);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setMaxLength(20);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    txtPassword->setToolTip(QStringLiteral("Enter your password here"));
    QFont bold = txtPassword->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    txtPassword->setFont(bold);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(txtPassword, &QLineEdit::textEdited, this, [this] { m_edited = true; });
    connect(btnOK, &QPushButton::clicked, this, &TfrmPassword::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        m_cancelPressed = true;
        reject();
    });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *right = new QVBoxLayout;
    right->setObjectName(QStringLiteral("fields"));
    right->addWidget(Label1);
    right->addWidget(txtPassword);
    right->addLayout(buttons);
    m_fields = right;

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Image1);
    layout->addLayout(right, 1);
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    txtPassword->setFocus();
}

void TfrmPassword::showStoredPasswordPlaceholder()
{
    txtPassword->setText(QString(8, u'*'));
    if (txtConfirm)
        txtConfirm->setText(txtPassword->text());
    m_placeholderShown = true;
    m_edited = false;
}

void TfrmPassword::requireConfirmation()
{
    if (txtConfirm)
        return;
    lblConfirm = new QLabel(QStringLiteral("Confirm password"), this);
    lblConfirm->setObjectName(QStringLiteral("lblConfirm"));
    txtConfirm = new QLineEdit(this);
    txtConfirm->setObjectName(QStringLiteral("txtConfirm"));
    txtConfirm->setMaxLength(txtPassword->maxLength());
    txtConfirm->setEchoMode(QLineEdit::Password);
    txtConfirm->setStyleSheet(txtPassword->styleSheet());
    txtConfirm->setFont(txtPassword->font());
    txtConfirm->setToolTip(QStringLiteral("Type the same password again"));
    txtConfirm->setText(txtPassword->text());
    lblConfirm->setBuddy(txtConfirm);
    lblMismatch = new QLabel(QStringLiteral("The two passwords differ. Please type them again."), this);
    lblMismatch->setObjectName(QStringLiteral("lblMismatch"));
    lblMismatch->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblMismatch->setWordWrap(true);
    lblMismatch->hide();
    connect(txtConfirm, &QLineEdit::textEdited, this, [this] {
        m_edited = true;
        lblMismatch->hide();
    });
    connect(txtPassword, &QLineEdit::textEdited, lblMismatch, &QWidget::hide);
    // Below the first field, above the buttons.
    m_fields->insertWidget(2, lblConfirm);
    m_fields->insertWidget(3, txtConfirm);
    m_fields->insertWidget(4, lblMismatch);
    setTabOrder(txtPassword, txtConfirm);
    setTabOrder(txtConfirm, btnOK);
}

void TfrmPassword::btnOKClick()
{
    if (txtConfirm && !placeholderKept() && txtConfirm->text() != txtPassword->text()) {
        lblMismatch->show();
        txtConfirm->clear();
        txtPassword->selectAll();
        txtPassword->setFocus();
        return;
    }
    EnteredPassword = txtPassword->text();
    accept();
}

void TfrmPassword::reject()
{
    EnteredPassword.clear();
    QDialog::reject();
}

QString PromptForPassword(QWidget *parent)
{
    TfrmPassword dialog(parent);
    ExecDialog(dialog);
    // A null text means cancelled; an empty password typed is a wrong one, not a cancel.
    if (dialog.result() != QDialog::Accepted)
        return QString();
    return dialog.EnteredPassword.isNull() ? QStringLiteral("") : dialog.EnteredPassword;
}
