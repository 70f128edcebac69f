#include "ui/accounts/accountedit.h"

#include "core/accounts/accounts.h"
#include "core/accounts/currencies.h"
#include "ui/app/guarded.h"
#include "core/base/notices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int NameLength = 75;
}

TfrmAccountEdit::TfrmAccountEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmAccountEdit"));
    setWindowTitle(QStringLiteral("Account Setup"));

    txtAccountDescription = new QLineEdit(this);
    txtAccountDescription->setObjectName(QStringLiteral("txtAccountDescription"));
    txtAccountDescription->setMaxLength(NameLength);
    txtAccountDescription->setToolTip(QStringLiteral("Enter an account name"));
    txtAccountDescription->setMinimumWidth(txtAccountDescription->fontMetrics().averageCharWidth() * 20);
    cmbAccountType = new QComboBox(this);
    cmbAccountType->setObjectName(QStringLiteral("cmbAccountType"));
    cmbAccountType->addItems(AccountTypes());
    cmbAccountType->setCurrentIndex(-1);
    cmbAccountType->setToolTip(QStringLiteral("Choose the type of the account"));
    cmbAccountCurrency = new QComboBox(this);
    cmbAccountCurrency->setObjectName(QStringLiteral("cmbAccountCurrency"));
    cmbAccountCurrency->setToolTip(QStringLiteral("Choose a currency for the account"));

    auto *GroupBox1 = new QGroupBox(QStringLiteral("Account Details"), this);
    auto *fields = new QGridLayout(GroupBox1);
    const QList<QPair<QString, QWidget *>> labelled = {
        {QStringLiteral("Account &Name"), txtAccountDescription},
        {QStringLiteral("&Type"), cmbAccountType},
        {QStringLiteral("&Currency"), cmbAccountCurrency},
    };
    for (int column = 0; column < labelled.size(); ++column) {
        auto *label = new QLabel(labelled[column].first, GroupBox1);
        label->setBuddy(labelled[column].second);
        fields->addWidget(label, 0, column);
        fields->addWidget(labelled[column].second, 1, column);
    }
    fields->setColumnStretch(0, 1);

    btnSave = new QPushButton(QStringLiteral("Save"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setToolTip(QStringLiteral("Save the enter details"));
    btnSave->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel the entered details"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(btnSave, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnSaveClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnCancelClick(); }); });
    Guarded(m_notifier, [&] { FillCurrencyCombo(); });
}

void TfrmAccountEdit::FillCurrencyCombo()
{
    cmbAccountCurrency->clear();
    cmbAccountCurrency->addItems(CurrencySymbols(m_db));
    cmbAccountCurrency->setCurrentIndex(-1);
}

void TfrmAccountEdit::setTexts(const QString &name, const QString &type, const QString &currencySymbol)
{
    txtAccountDescription->setMaxLength(qMax(NameLength, int(name.size())));
    txtAccountDescription->setText(name);
    cmbAccountType->setCurrentIndex(cmbAccountType->findText(type));
    cmbAccountCurrency->setCurrentIndex(cmbAccountCurrency->findText(currencySymbol));
}

void TfrmAccountEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    txtAccountDescription->setFocus();
}

void TfrmAccountEdit::btnSaveClick()
{
    if (txtAccountDescription->text().isEmpty()) {
        txtAccountDescription->setFocus();
        ShowNotice(m_notifier, QStringLiteral("Please set proper account name."), WarningDialog);
        return;
    }
    if (cmbAccountCurrency->currentIndex() < 0) {
        cmbAccountCurrency->setFocus();
        ShowNotice(m_notifier, QStringLiteral("Please set proper currency."), WarningDialog);
        return;
    }
    // The type is checked by SaveAccount, after the editor has closed.
    Cancelled = 0;
    accept();
}

void TfrmAccountEdit::btnCancelClick()
{
    Cancelled = 1;
    reject();
}
