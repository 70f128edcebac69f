#include "ui/lists/itemsetup.h"

#include "ui/feedback/dialogrunner.h"
#include "core/base/tillbrookerror.h"
#include "core/lists/budget.h"
#include "core/lists/items.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TfrmItemSetup::TfrmItemSetup(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfrmItemSetup"));
    setWindowTitle(QStringLiteral("Item Setup"));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));

    auto *GroupBox1 = new QGroupBox(this);
    auto *grid = new QGridLayout(GroupBox1);

    auto *lblName = boldLabel(QStringLiteral("Description"), GroupBox1);
    edtName = new QLineEdit(GroupBox1);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtName->setMaxLength(75);
    edtName->setMinimumWidth(160);
    edtName->setToolTip(QStringLiteral("Enter the item description"));
    lblName->setBuddy(edtName);

    const QString typeHint = QStringLiteral("Is this item an expense or income item. You can ommit this if you are not sure.");
    auto *lblType = boldLabel(QStringLiteral("Type"), GroupBox1);
    lblType->setToolTip(typeHint);
    rbExpense = new QRadioButton(QStringLiteral("Expense"), GroupBox1);
    rbExpense->setObjectName(QStringLiteral("rbExpense"));
    rbExpense->setToolTip(typeHint);
    rbIncome = new QRadioButton(QStringLiteral("Income"), GroupBox1);
    rbIncome->setObjectName(QStringLiteral("rbIncome"));
    rbIncome->setToolTip(typeHint);
    auto *types = new QHBoxLayout;
    types->addWidget(rbExpense);
    types->addWidget(rbIncome);

    const QString amountHint = QStringLiteral("Budget\nHow much do you want to spend? You need to set the Spending frequency as well.");
    auto *lblAmt = boldLabel(QStringLiteral("Spending Amount"), GroupBox1);
    lblAmt->setToolTip(amountHint);
    txtAmt = new QLineEdit(GroupBox1);
    txtAmt->setObjectName(QStringLiteral("txtAmt"));
    txtAmt->setMaxLength(10);
    txtAmt->setToolTip(amountHint);
    // Digits and one ".", typed or pasted.
    txtAmt->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(\d*\.?\d*)")), txtAmt));
    QFont amountFont = txtAmt->font();
    amountFont.setBold(true);
    amountFont.setPixelSize(16);
    txtAmt->setFont(amountFont);
    QPalette skyBlue = txtAmt->palette();
    skyBlue.setColor(QPalette::Base, QColor(166, 202, 240));
    txtAmt->setPalette(skyBlue);
    txtAmt->setMinimumWidth(txtAmt->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    lblAmt->setBuddy(txtAmt);

    const QString frequencyHint = QStringLiteral("What is the frequency of the Spending Amount you have set?");
    auto *lblFrequency = boldLabel(QStringLiteral("Spending Frequency"), GroupBox1);
    lblFrequency->setToolTip(frequencyHint);
    cmbFrequency = new QComboBox(GroupBox1);
    cmbFrequency->setObjectName(QStringLiteral("cmbFrequency"));
    cmbFrequency->setEditable(false);
    cmbFrequency->addItems(FrequencyNames());
    cmbFrequency->setToolTip(frequencyHint);
    lblFrequency->setBuddy(cmbFrequency);

    grid->addWidget(lblName, 0, 0);
    grid->addWidget(lblType, 0, 1);
    grid->addWidget(lblAmt, 0, 2);
    grid->addWidget(lblFrequency, 0, 3);
    grid->addWidget(edtName, 1, 0);
    grid->addLayout(types, 1, 1);
    grid->addWidget(txtAmt, 1, 2);
    grid->addWidget(cmbFrequency, 1, 3);
    grid->setColumnStretch(0, 1);

    btnOK = new QPushButton(QStringLiteral("Ok"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setToolTip(QStringLiteral("Save changes"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel changes"));
    connect(btnOK, &QPushButton::clicked, this, &TfrmItemSetup::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmItemSetup::btnCancelClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edtName, rbExpense);
    setTabOrder(rbExpense, rbIncome);
    setTabOrder(rbIncome, txtAmt);
    setTabOrder(txtAmt, cmbFrequency);
    setTabOrder(cmbFrequency, btnOK);
    setTabOrder(btnOK, btnCancel);
}

void TfrmItemSetup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    lblTitle->setText(TitleText);
    edtName->setText(InitialDescription);
    txtAmt->setText(ItemAmountText(InitialAmount));
    cmbFrequency->setCurrentIndex(int(FrequencyNames().indexOf(InitialFrequency)));
    if (InitialIsExpense)
        rbExpense->setChecked(true);
    else
        rbIncome->setChecked(true);
    edtName->setFocus();
}

void TfrmItemSetup::btnOKClick()
{
    Cancelled = 0;
    if (txtAmt->text().isEmpty())
        txtAmt->setText(QStringLiteral("0"));
    accept();
}

void TfrmItemSetup::btnCancelClick()
{
    Cancelled = 1;
    reject();
}

TMyResult TfrmItemSetup::itemResult() const
{
    TMyResult r;
    if (Cancelled == 1) {
        r.Description = InitialDescription;
        r.IsExpense = InitialIsExpense;
        r.Amount = InitialAmount;
        r.Frequency = InitialFrequency;
        return r;
    }
    r.Description = edtName->text();
    r.IsExpense = rbExpense->isChecked();
    const QString amountText = txtAmt->text();
    const std::optional<Money> amount = Money::fromText(amountText);
    if (!amount)
        throw TillbrookError(QStringLiteral("'%1' is not a valid amount.").arg(amountText));
    r.Amount = *amount;
    r.Frequency = cmbFrequency->currentIndex() < 0 ? QString() : cmbFrequency->currentText();
    return r;
}

TMyResult RunItemSetup(QWidget *parent, const QString &caption, const QString &title,
                       const QString &description, bool isExpense, Money amount,
                       const QString &frequency)
{
    TfrmItemSetup dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.TitleText = QStringLiteral("  ") + title;
    dialog.InitialDescription = description;
    dialog.InitialIsExpense = isExpense;
    dialog.InitialAmount = amount;
    dialog.InitialFrequency = frequency;
    ExecDialog(dialog);
    return dialog.itemResult();
}
