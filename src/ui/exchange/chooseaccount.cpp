#include "ui/exchange/chooseaccount.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmChooseAccount::TfrmChooseAccount(const QStringList &accounts, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmChooseAccount"));
    setWindowTitle(QStringLiteral("Choose an account name"));

    auto *label = new QLabel(QStringLiteral("Account"), this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);

    cmbAccounts = new QComboBox(this);
    cmbAccounts->setObjectName(QStringLiteral("cmbAccounts"));
    cmbAccounts->setToolTip(QStringLiteral("Choose an account from the drop down list"));
    QStringList sorted = accounts;
    sorted.sort(Qt::CaseInsensitive);
    cmbAccounts->addItems(sorted);
    cmbAccounts->setMinimumContentsLength(24);
    label->setBuddy(cmbAccounts);

    btnChoose = new QPushButton(QStringLiteral("Choose"), this);
    btnChoose->setObjectName(QStringLiteral("btnChoose"));
    btnChoose->setFont(bold);
    btnChoose->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnChoose, &QPushButton::clicked, this, &TfrmChooseAccount::btnChooseClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmChooseAccount::btnCancelClick);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(cmbAccounts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnChoose);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

void TfrmChooseAccount::btnChooseClick()
{
    ChosenAccount = cmbAccounts->currentText();
    accept();
}

void TfrmChooseAccount::btnCancelClick()
{
    ChosenAccount.clear();
    reject();
}
