#include "ui/accounts/currencyitemedit.h"

#include "core/accounts/currencies.h"
#include "ui/app/guarded.h"
#include "core/base/notices.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

constexpr int SymbolLength = 10;

// Typed or pasted letters of the international symbol become upper case.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

void setTextKeepingIt(QLineEdit *edit, const QString &text)
{
    edit->setMaxLength(qMax(SymbolLength, int(text.size())));
    edit->setText(text);
}

} // namespace

TfrmCurrencyItemEdit::TfrmCurrencyItemEdit(Notifier &notifier, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmCurrencyItemEdit"));
    setWindowTitle(QStringLiteral("Currency Setup"));

    txtCurrencySymbol = new QLineEdit(this);
    txtCurrencySymbol->setObjectName(QStringLiteral("txtCurrencySymbol"));
    txtCurrencySymbol->setMaxLength(SymbolLength);
    txtCurrencySymbol->setToolTip(QStringLiteral("Enter the currency symbol that you recognise as your currency"));
    txtIntCurrencySymbol = new QLineEdit(this);
    txtIntCurrencySymbol->setObjectName(QStringLiteral("txtIntCurrencySymbol"));
    txtIntCurrencySymbol->setMaxLength(SymbolLength);
    txtIntCurrencySymbol->setValidator(new UpperCaseValidator(txtIntCurrencySymbol));
    txtIntCurrencySymbol->setToolTip(QStringLiteral("Enter the International Currency Symbol"));
    txtCurrencyRate = new QLineEdit(this);
    txtCurrencyRate->setObjectName(QStringLiteral("txtCurrencyRate"));
    txtCurrencyRate->setMaxLength(SymbolLength);
    txtCurrencyRate->installEventFilter(this);
    txtCurrencyRate->setToolTip(QStringLiteral("Enter the rate for the currency against your local currency, "
                                               "if this is the base currency that this should be 1"));

    auto *GroupBox1 = new QGroupBox(QStringLiteral("Currency Details"), this);
    auto *fields = new QGridLayout(GroupBox1);
    const QList<QPair<QString, QLineEdit *>> labelled = {
        {QStringLiteral("&Symbol"), txtCurrencySymbol},
        {QStringLiteral("&International Symbol"), txtIntCurrencySymbol},
        {QStringLiteral("&Rate"), txtCurrencyRate},
    };
    for (int column = 0; column < labelled.size(); ++column) {
        auto *label = new QLabel(labelled[column].first, GroupBox1);
        label->setBuddy(labelled[column].second);
        fields->addWidget(label, 0, column);
        fields->addWidget(labelled[column].second, 1, column);
    }

    lblLastUpdated = new QLabel(this);
    lblLastUpdated->setObjectName(QStringLiteral("lblLastUpdated"));
    lblLastUpdated->setToolTip(QStringLiteral("Last updated on"));
    btnSave = new QPushButton(QStringLiteral("Save"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setToolTip(QStringLiteral("Save the current currency details."));
    btnSave->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel and do not save changes"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblLastUpdated, 1);
    bottom->addWidget(btnSave);
    bottom->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnSave, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnSaveClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnCancelClick(); }); });
}

void TfrmCurrencyItemEdit::setTexts(const QString &symbol, const QString &internationalSymbol,
                                    const QString &rate, const QString &lastUpdated)
{
    setTextKeepingIt(txtCurrencySymbol, symbol);
    setTextKeepingIt(txtIntCurrencySymbol, internationalSymbol);
    setTextKeepingIt(txtCurrencyRate, rate);
    lblLastUpdated->setText(lastUpdated);
}

bool TfrmCurrencyItemEdit::eventFilter(QObject *watched, QEvent *event)
{
    // The rate takes digits and one ".", nothing else that prints.
    if (watched == txtCurrencyRate && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const QChar c = typed.at(0);
            const bool digit = c >= u'0' && c <= u'9';
            const bool point = c == u'.' && !txtCurrencyRate->text().contains(u'.');
            if (!digit && !point)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCurrencyItemEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    txtCurrencySymbol->setFocus();
}

void TfrmCurrencyItemEdit::btnSaveClick()
{
    if (!ParseRate(txtCurrencyRate->text())) {
        txtCurrencyRate->setFocus();
        ShowNotice(m_notifier, QStringLiteral("Please set proper currency rate."), WarningDialog);
        return;
    }
    Cancelled = 0;
    accept();
}

void TfrmCurrencyItemEdit::btnCancelClick()
{
    Cancelled = 1;
    reject();
}
