#include "ui/register/accountbar.h"

#include "ui/register/monthnavigator.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

AccountBar::AccountBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel5"));

    auto *label7 = new QLabel(QStringLiteral("Account"), this);
    label7->setObjectName(QStringLiteral("Label7"));
    QFont boldFont = label7->font();
    boldFont.setBold(true);
    QFont titleFont = boldFont;
    titleFont.setPointSize(10);
    label7->setFont(titleFont);

    m_cmbAccounts = new QComboBox(this);
    m_cmbAccounts->setObjectName(QStringLiteral("cmbAccounts"));
    m_cmbAccounts->setToolTip(QStringLiteral("Choose an account from the drop down list"));
    m_cmbAccounts->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cmbAccounts->setMinimumContentsLength(16);
    label7->setBuddy(m_cmbAccounts);

    m_btnNewAccount = new QToolButton(this);
    m_btnNewAccount->setObjectName(QStringLiteral("btnNewAccount"));
    m_btnNewAccount->setText(QStringLiteral("..."));
    m_btnNewAccount->setToolTip(QStringLiteral("Create/Edit account lists"));

    auto *staticText1 = new QLabel(QStringLiteral("Balance :"), this);
    staticText1->setObjectName(QStringLiteral("StaticText1"));
    staticText1->setFont(boldFont);

    m_lblAccountStatus = new QLabel(this);
    m_lblAccountStatus->setObjectName(QStringLiteral("lblAccountStatus"));
    m_lblAccountStatus->setToolTip(QStringLiteral(
        "Displays the current balance of the account in its respective currency."));
    m_lblAccountStatus->setTextFormat(Qt::PlainText);

    m_pnlMonth = new MonthNavigator(this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(label7);
    layout->addWidget(m_cmbAccounts);
    layout->addWidget(m_btnNewAccount);
    layout->addSpacing(12);
    layout->addWidget(staticText1);
    layout->addWidget(m_lblAccountStatus);
    layout->addStretch(1);
    layout->addWidget(m_pnlMonth);
}
