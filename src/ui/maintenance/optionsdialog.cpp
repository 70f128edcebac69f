#include "ui/maintenance/optionsdialog.h"

#include "core/base/notices.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int MinDecimalPlaces = 2;
constexpr int MaxDecimalPlaces = 3;

QComboBox *yesNoBox(const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
    return box;
}

QToolButton *arrowButton(const char *name, Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TfrmOptions::TfrmOptions(Session &session, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_session(session)
{
    setObjectName(QStringLiteral("TfrmOptions"));
    setWindowTitle(QStringLiteral("Tillbrook Options"));

    auto *general = new QWidget;
    auto *warning = new QLabel(
        QStringLiteral("<Changing the following settings may effect calculations in the application>"), general);
    warning->setTextFormat(Qt::PlainText);
    warning->setAlignment(Qt::AlignCenter);

    edtDecimalPlaces = new QLineEdit(general);
    edtDecimalPlaces->setObjectName(QStringLiteral("edtDecimalPlaces"));
    edtDecimalPlaces->setReadOnly(true);
    edtDecimalPlaces->setToolTip(QStringLiteral("DefaultDigits"));
    edtDecimalPlaces->setMaximumWidth(60);
    edtDecimalPlaces->installEventFilter(this);
    UpDown1Up = arrowButton("UpDown1Up", Qt::UpArrow, general);
    UpDown1Down = arrowButton("UpDown1Down", Qt::DownArrow, general);
    connect(UpDown1Up, &QToolButton::clicked, this, [this] { stepDecimalPlaces(1); });
    connect(UpDown1Down, &QToolButton::clicked, this, [this] { stepDecimalPlaces(-1); });
    auto *upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(UpDown1Up);
    upDown->addWidget(UpDown1Down);
    auto *digits = new QHBoxLayout;
    digits->setSpacing(2);
    digits->addWidget(edtDecimalPlaces);
    digits->addLayout(upDown);
    digits->addStretch(1);

    cmbAutoBackup = yesNoBox("cmbAutoBackup", general);
    cmbAutoTransaction = yesNoBox("cmbAutoTransaction", general);

    auto *rows = new QGridLayout;
    const auto addRow = [&](int row, const QString &caption, QWidget *field, QLayout *fieldLayout,
                            const QString &explanation) {
        auto *label = new QLabel(caption, general);
        if (field)
            label->setBuddy(field);
        rows->addWidget(label, row, 0);
        if (fieldLayout)
            rows->addLayout(fieldLayout, row, 1);
        else
            rows->addWidget(field, row, 1);
        auto *text = new QLabel(explanation, general);
        text->setWordWrap(true);
        rows->addWidget(text, row, 2);
    };
    addRow(0, QStringLiteral("Decimal Places"), edtDecimalPlaces, digits,
           QStringLiteral("- round the decimal places in calculations and amount input."));
    addRow(1, QStringLiteral("Auto backup"), cmbAutoBackup, nullptr,
           QStringLiteral("- use automatic backups in Tillbrook"));
    addRow(2, QStringLiteral("Auto Transaction"), cmbAutoTransaction, nullptr,
           QStringLiteral("- use automatic transaction for payees and categories"));
    rows->setColumnStretch(2, 1);

    auto *page = new QVBoxLayout(general);
    page->addWidget(warning);
    page->addSpacing(12);
    page->addLayout(rows);
    page->addStretch(1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(general, QStringLiteral("General"));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setToolTip(QStringLiteral("Save changes"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(QStringLiteral("Cancel Changes"));
    connect(btnOK, &QPushButton::clicked, this, [this] { Guarded(m_session.notifier, [&] { btnOKClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(480, 445);

    Guarded(m_session.notifier, [&] { FormShow(); });
}

void TfrmOptions::FormShow()
{
    m_shown = ReadShownFileOptions(m_session.MyDataModule);
    edtDecimalPlaces->setText(m_shown.digits);
    cmbAutoBackup->setCurrentText(m_shown.autoBackup == QLatin1String("Y") ? QStringLiteral("Yes")
                                                                           : QStringLiteral("No"));
    cmbAutoTransaction->setCurrentText(m_shown.autoTransaction == QLatin1String("Y") ? QStringLiteral("Yes")
                                                                                     : QStringLiteral("No"));
}

void TfrmOptions::stepDecimalPlaces(int step)
{
    bool number = false;
    const int current = edtDecimalPlaces->text().toInt(&number);
    const int from = number ? qBound(MinDecimalPlaces, current, MaxDecimalPlaces) : MinDecimalPlaces;
    edtDecimalPlaces->setText(QString::number(qBound(MinDecimalPlaces, from + step, MaxDecimalPlaces)));
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtDecimalPlaces && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepDecimalPlaces(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOptions::btnOKClick()
{
    const QString digits = edtDecimalPlaces->text();
    const QString backup = cmbAutoBackup->currentText();
    const QString transaction = cmbAutoTransaction->currentText();
    if (!FileOptionsChanged(m_shown, digits, backup, transaction)) {
        accept();
        return;
    }
    if (AskYesNo(m_session.notifier, QStringLiteral("Are you sure you want to save new settings?")) != AskYes) {
        accept();
        return;
    }
    SaveFileOptions(m_session, digits, backup, transaction);
    m_saved = true;
    accept();
}
