#include "ui/schedule/scheduleedit.h"

#include "core/lists/items.h"
#include "ui/app/guarded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

QComboBox *editableCombo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return edit;
}

} // namespace

TfrmScheduleEdit::TfrmScheduleEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent)
    : QDialog(parent), m_db(db), m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmScheduleEdit"));
    setWindowTitle(QStringLiteral("Scheduled Transaction"));
    buildControls();
    buildLayout();
    Guarded(m_notifier, [&] {
        const QStringList accounts = AccountNames(m_db);
        cmbAccount->addItems(accounts);
        cmbTransferTo->addItems(accounts);
        cmbPayee->addItems(ItemNames(m_db, ItemKind::Payees));
        cmbCategory->addItems(ItemNames(m_db, ItemKind::Categories));
    });
    ScheduleValues fresh;
    fresh.firstDate = QDate::currentDate();
    setValues(fresh);
}

void TfrmScheduleEdit::buildControls()
{
    tbType = new QTabBar(this);
    tbType->setObjectName(QStringLiteral("tbType"));
    tbType->addTab(QStringLiteral("Pay / Buy"));
    tbType->addTab(QStringLiteral("Receive / Sell"));
    tbType->addTab(QStringLiteral("Transfer"));
    tbType->setToolTip(QStringLiteral("Choose the transaction type."));
    tbType->setExpanding(false);
    tbType->setDrawBase(false);

    cmbAccount = new QComboBox(this);
    cmbAccount->setObjectName(QStringLiteral("cmbAccount"));
    cmbTransferTo = new QComboBox(this);
    cmbTransferTo->setObjectName(QStringLiteral("cmbTransferTo"));
    cmbTransferTo->setToolTip(QStringLiteral("Which account do you wish to transfer the money to."));
    cmbPayee = editableCombo(this, "cmbPayee", {});
    cmbPayee->setToolTip(QStringLiteral("Type your new Payee or select one from the drop down list."));
    cmbCategory = editableCombo(this, "cmbCategory", {});
    cmbCategory->setToolTip(QStringLiteral("Type your new Category or select one from the drop down list."));

    txtAmt = new QLineEdit(this);
    txtAmt->setObjectName(QStringLiteral("txtAmt"));
    txtAmt->setToolTip(QStringLiteral("Enter the amount for the transaction."));
    // Digits and one point, as the entry panel takes them.
    txtAmt->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(\d{0,12}(\.\d{0,4})?)")), txtAmt));
    QFont bold = txtAmt->font();
    bold.setBold(true);
    txtAmt->setFont(bold);

    memoNote = new QPlainTextEdit(this);
    memoNote->setObjectName(QStringLiteral("memoNote"));
    memoNote->setTabChangesFocus(true);
    memoNote->setFixedHeight(memoNote->fontMetrics().lineSpacing() * 3 + 10);

    dtFirst = dateEdit(this, "dtFirst");
    dtFirst->setToolTip(QStringLiteral("The date the transaction falls due first."));

    rbOnce = new QRadioButton(QStringLiteral("&Once"), this);
    rbOnce->setObjectName(QStringLiteral("rbOnce"));
    rbEvery = new QRadioButton(QStringLiteral("E&very"), this);
    rbEvery->setObjectName(QStringLiteral("rbEvery"));
    spnInterval = new QSpinBox(this);
    spnInterval->setObjectName(QStringLiteral("spnInterval"));
    spnInterval->setRange(1, MaxScheduleInterval);
    cmbPeriod = new QComboBox(this);
    cmbPeriod->setObjectName(QStringLiteral("cmbPeriod"));
    // In the order of ScheduleFrequency.
    cmbPeriod->addItems({QStringLiteral("days"), QStringLiteral("weeks"), QStringLiteral("months"),
                         QStringLiteral("years")});

    rbNever = new QRadioButton(QStringLiteral("&Never"), this);
    rbNever->setObjectName(QStringLiteral("rbNever"));
    rbAfter = new QRadioButton(QStringLiteral("&After"), this);
    rbAfter->setObjectName(QStringLiteral("rbAfter"));
    spnCount = new QSpinBox(this);
    spnCount->setObjectName(QStringLiteral("spnCount"));
    spnCount->setRange(1, 9999);
    spnCount->setSuffix(QStringLiteral(" times"));
    // Counted from the next due date: an edited schedule shows what is left of it.
    spnCount->setToolTip(QStringLiteral("How many more times the transaction is entered."));
    rbOnDate = new QRadioButton(QStringLiteral("O&n"), this);
    rbOnDate->setObjectName(QStringLiteral("rbOnDate"));
    dtEnd = dateEdit(this, "dtEnd");

    chkAutoEnter = new QCheckBox(QStringLiteral("Enter automatically"), this);
    chkAutoEnter->setObjectName(QStringLiteral("chkAutoEnter"));
    chkAutoEnter->setToolTip(QStringLiteral("Enter the transaction when it falls due without asking."));

    btnSave = new QPushButton(QStringLiteral("&Save"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    connect(tbType, &QTabBar::currentChanged, this, [this] { updateEnabled(); });
    for (QRadioButton *button : {rbOnce, rbEvery, rbNever, rbAfter, rbOnDate})
        connect(button, &QRadioButton::toggled, this, [this] { updateEnabled(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { Guarded(m_notifier, [&] { btnSaveClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmScheduleEdit::buildLayout()
{
    auto *what = new QGroupBox(QStringLiteral("Transaction"), this);
    auto *whatForm = new QFormLayout(what);
    whatForm->addRow(QStringLiteral("A&ccount"), cmbAccount);
    whatForm->addRow(QStringLiteral("Transfer To"), cmbTransferTo);
    whatForm->addRow(QStringLiteral("&Payee"), cmbPayee);
    whatForm->addRow(QStringLiteral("Cate&gory"), cmbCategory);
    whatForm->addRow(QStringLiteral("A&mount"), txtAmt);
    whatForm->addRow(QStringLiteral("Note"), memoNote);

    auto *when = new QGroupBox(QStringLiteral("Schedule"), this);
    auto *whenForm = new QFormLayout(when);
    whenForm->addRow(QStringLiteral("&First due"), dtFirst);
    auto *repeat = new QHBoxLayout;
    repeat->addWidget(rbOnce);
    repeat->addWidget(rbEvery);
    repeat->addWidget(spnInterval);
    repeat->addWidget(cmbPeriod);
    repeat->addStretch(1);
    whenForm->addRow(QStringLiteral("Repeat"), repeat);
    auto *end = new QHBoxLayout;
    end->addWidget(rbNever);
    end->addWidget(rbAfter);
    end->addWidget(spnCount);
    end->addWidget(rbOnDate);
    end->addWidget(dtEnd);
    end->addStretch(1);
    whenForm->addRow(QStringLiteral("End"), end);
    whenForm->addRow(QString(), chkAutoEnter);

    // The two radio groups are separate choices.
    auto *repeatGroup = new QButtonGroup(this);
    repeatGroup->addButton(rbOnce);
    repeatGroup->addButton(rbEvery);
    auto *endGroup = new QButtonGroup(this);
    endGroup->addButton(rbNever);
    endGroup->addButton(rbAfter);
    endGroup->addButton(rbOnDate);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbType);
    layout->addWidget(what);
    layout->addWidget(when);
    layout->addLayout(buttons);

    setTabOrder(tbType, cmbAccount);
    setTabOrder(cmbAccount, cmbTransferTo);
    setTabOrder(cmbTransferTo, cmbPayee);
    setTabOrder(cmbPayee, cmbCategory);
    setTabOrder(cmbCategory, txtAmt);
    setTabOrder(txtAmt, memoNote);
    setTabOrder(memoNote, dtFirst);
}

void TfrmScheduleEdit::updateEnabled()
{
    const bool transfer = tbType->currentIndex() == int(TransactionType::Transfer);
    cmbTransferTo->setEnabled(transfer);
    const bool every = rbEvery->isChecked();
    spnInterval->setEnabled(every);
    cmbPeriod->setEnabled(every);
    rbNever->setEnabled(every);
    rbAfter->setEnabled(every);
    rbOnDate->setEnabled(every);
    spnCount->setEnabled(every && rbAfter->isChecked());
    dtEnd->setEnabled(every && rbOnDate->isChecked());
}

void TfrmScheduleEdit::setValues(const ScheduleValues &v)
{
    m_scheduleId = v.scheduleId;
    m_dayOfMonth = v.dayOfMonth;
    m_firstShown = v.firstDate;
    tbType->setCurrentIndex(int(v.type));
    cmbAccount->setCurrentIndex(cmbAccount->findText(v.accountName));
    cmbTransferTo->setCurrentIndex(cmbTransferTo->findText(v.transferTo));
    cmbPayee->setCurrentText(v.payeeName);
    cmbCategory->setCurrentText(v.categoryName);
    txtAmt->setText(v.amountText);
    memoNote->setPlainText(v.note);
    dtFirst->setDate(v.firstDate.isValid() ? v.firstDate : QDate::currentDate());
    (v.repeat == ScheduleRepeat::Once ? rbOnce : rbEvery)->setChecked(true);
    spnInterval->setValue(v.interval);
    cmbPeriod->setCurrentIndex(int(v.frequency));
    rbNever->setChecked(v.endKind == ScheduleEndKind::Never);
    rbAfter->setChecked(v.endKind == ScheduleEndKind::AfterCount);
    rbOnDate->setChecked(v.endKind == ScheduleEndKind::OnDate);
    spnCount->setValue(v.count);
    dtEnd->setDate(v.endDate.isValid() ? v.endDate : dtFirst->date().addYears(1));
    chkAutoEnter->setChecked(v.autoEnter);
    updateEnabled();
}

ScheduleValues TfrmScheduleEdit::values() const
{
    ScheduleValues v;
    v.scheduleId = m_scheduleId;
    v.type = TransactionType(qBound(0, tbType->currentIndex(), 2));
    v.accountName = cmbAccount->currentText();
    v.transferTo = v.type == TransactionType::Transfer ? cmbTransferTo->currentText() : QString();
    v.payeeName = cmbPayee->currentText().trimmed();
    v.categoryName = cmbCategory->currentText().trimmed();
    v.amountText = txtAmt->text().trimmed();
    v.note = memoNote->toPlainText();
    v.firstDate = dtFirst->date();
    v.repeat = rbOnce->isChecked() ? ScheduleRepeat::Once : ScheduleRepeat::Every;
    v.interval = spnInterval->value();
    v.frequency = ScheduleFrequency(qBound(0, cmbPeriod->currentIndex(), 3));
    v.endKind = rbAfter->isChecked() ? ScheduleEndKind::AfterCount
                                     : (rbOnDate->isChecked() ? ScheduleEndKind::OnDate : ScheduleEndKind::Never);
    v.count = spnCount->value();
    v.endDate = dtEnd->date();
    v.autoEnter = chkAutoEnter->isChecked();
    // A first date moved by the user asks for its own day of the month.
    v.dayOfMonth = v.firstDate == m_firstShown ? m_dayOfMonth : 0;
    return v;
}

void TfrmScheduleEdit::focusField(ScheduleField field)
{
    switch (field) {
    case ScheduleField::Amount:
        txtAmt->setFocus();
        break;
    case ScheduleField::Account:
        cmbAccount->setFocus();
        break;
    case ScheduleField::TransferTo:
        cmbTransferTo->setFocus();
        break;
    case ScheduleField::FirstDate:
        dtFirst->setFocus();
        break;
    case ScheduleField::Count:
        spnCount->setFocus();
        break;
    case ScheduleField::EndDate:
        dtEnd->setFocus();
        break;
    case ScheduleField::Interval:
        spnInterval->setFocus();
        break;
    case ScheduleField::None:
        break;
    }
}

void TfrmScheduleEdit::btnSaveClick()
{
    ScheduleField field = ScheduleField::None;
    const int id = SaveScheduleValues(m_db, m_notifier, values(), &field);
    if (id <= 0) {
        focusField(field);
        return;
    }
    m_savedId = id;
    accept();
}
