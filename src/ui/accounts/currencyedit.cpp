#include "ui/accounts/currencyedit.h"

#include "core/accounts/currencies.h"
#include "ui/accounts/currencyitemedit.h"
#include "ui/feedback/dialogrunner.h"
#include "core/base/notices.h"
#include "ui/feedback/dialogcommand.h"
#include "ui/widgets/listdialoglayout.h"
#include "ui/widgets/multicollistbox.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
enum Column { SymbolColumn = 0, InternationalColumn = 1, RateColumn = 2, BaseColumn = 3, LastUpdatedColumn = 4 };
}

TfrmCurrencyEdit::TfrmCurrencyEdit(TMyDataModule &db, Notifier &notifier, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmCurrencyEdit"));
    setWindowTitle(QStringLiteral("Currency list"));

    lstItems = new TMultiColListbox(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setSections({{QStringLiteral("Currency Symbol"), 100}, {QStringLiteral("International Symbol"), 115},
                           {QStringLiteral("Rate"), 90}, {QStringLiteral("Base Currency"), 90},
                           {QStringLiteral("Last Updated"), 100}});

    btnSetBaseCurrency = MakeListDialogButton(this, "btnSetBaseCurrency", QStringLiteral("Set as &Base currency"),
           QStringLiteral("Set the currency as the base currency for your transactions"));
    btnNew = MakeListDialogButton(this, "btnNew", QStringLiteral("&New"), QStringLiteral("Create a New currency"));
    btnEdit = MakeListDialogButton(this, "btnEdit", QStringLiteral("&Edit"), QStringLiteral("Edit the current selected currency from the list"));
    btnDelete = MakeListDialogButton(this, "btnDelete", QStringLiteral("&Delete"), QStringLiteral("Delete the current selected currency"));
    btnClose = MakeListDialogButton(this, "btnClose", QStringLiteral("&Close"), QStringLiteral("Close this window"));

    LayOutListDialog(this, lstItems, {btnSetBaseCurrency, btnNew, btnEdit, btnDelete}, btnClose);
    resize(599, 439);

    connect(btnSetBaseCurrency, &QPushButton::clicked, this, [this] { btnSetBaseCurrencyClick(); });
    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
    connect(lstItems, &QTreeWidget::itemActivated, this, [this] { btnEditClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    Guarded(m_notifier, [&] { FillCurrencyList(); });
}

template<typename Body>
void TfrmCurrencyEdit::command(Body &&body)
{
    RunDialogCommand(m_db, m_notifier, body);
}

void TfrmCurrencyEdit::FillCurrencyList()
{
    lstItems->setItems(CurrencyListRows(m_db));
}

bool TfrmCurrencyEdit::EditCurrency(EditMode mode, const QString &symbol, const QString &internationalSymbol,
                                    const QString &rateText, const QString &lastUpdatedText, bool isBase)
{
    bool saved = false;
    {
        TfrmCurrencyItemEdit editor(m_notifier, this);
        editor.setTexts(symbol, internationalSymbol, rateText, lastUpdatedText);
        // The base currency's rate is 1 by definition.
        editor.txtCurrencyRate->setEnabled(!(mode == EditMode::Edit && isBase));
        ExecDialog(editor);
        if (editor.Cancelled == 0) {
            const TCurrencyRec currency{editor.txtCurrencySymbol->text(), editor.txtIntCurrencySymbol->text(),
                                        editor.txtCurrencyRate->text()};
            saved = SaveCurrency(m_db, m_notifier, mode, internationalSymbol, currency);
        }
    }
    FillCurrencyList();
    return saved;
}

void TfrmCurrencyEdit::btnNewClick()
{
    command([&] {
        if (EditCurrency(EditMode::New, QString(), QString(), QString(), QString(), false)) {
            m_changed = true;
            ShowNotice(m_notifier, QStringLiteral("Currency Saved."), InformationDialog);
        }
    });
}

void TfrmCurrencyEdit::btnEditClick()
{
    command([&] {
        const int row = lstItems->firstSelectedRow();
        if (row < 0)
            return;
        const bool isBase = lstItems->column(row, BaseColumn) == QLatin1String("Y");
        if (isBase)
            ShowNotice(m_notifier, QStringLiteral("This is the base currency that you will be editing."), InformationDialog);
        if (EditCurrency(EditMode::Edit, lstItems->column(row, SymbolColumn), lstItems->column(row, InternationalColumn),
                         lstItems->column(row, RateColumn), lstItems->column(row, LastUpdatedColumn), isBase)) {
            m_changed = true;
            ShowNotice(m_notifier, QStringLiteral("Currency Saved."), InformationDialog);
        }
    });
}

void TfrmCurrencyEdit::btnDeleteClick()
{
    command([&] {
        const int row = lstItems->firstSelectedRow();
        if (row < 0) {
            FillCurrencyList();
            return;
        }
        const QString symbol = lstItems->column(row, SymbolColumn);
        const QString internationalSymbol = lstItems->column(row, InternationalColumn);
        if (AskYesNo(m_notifier, QStringLiteral("Delete %1?").arg(symbol)) != AskYes) {
            FillCurrencyList();
            return;
        }
        if (lstItems->column(row, BaseColumn) == QLatin1String("Y")) {
            ShowNotice(m_notifier, QStringLiteral("Cannot delete base currency."), WarningDialog);
            return;
        }
        if (!DeleteCurrency(m_db, m_notifier, symbol, internationalSymbol))
            return;
        m_changed = true;
        ShowNotice(m_notifier, QStringLiteral("Currency deleted."), WarningDialog);
        FillCurrencyList();
    });
}

void TfrmCurrencyEdit::btnSetBaseCurrencyClick()
{
    command([&] {
        const int row = lstItems->firstSelectedRow();
        if (row < 0) {
            FillCurrencyList();
            return;
        }
        const QString symbol = lstItems->column(row, SymbolColumn);
        if (lstItems->column(row, BaseColumn) == QLatin1String("Y")) {
            ShowNotice(m_notifier, QStringLiteral("Currency is already set as base currency."), WarningDialog);
            return;
        }
        if (AskYesNo(m_notifier, QStringLiteral("Set %1 as base currency?").arg(symbol)) != AskYes) {
            FillCurrencyList();
            return;
        }
        const QString answer = ShowMessageDialog(
            m_notifier, QStringLiteral("Recommendation"),
            QStringLiteral("It is recommended to take a backup,\n"
                           "before you set another currency as base currency.\n"
                           "Press cancel and take a backup if you have not already done so."),
            QStringLiteral("Rounding of values may occur when changing from a currency to another."),
            QStringLiteral("Make sure you have set the proper Currency Rates"),
            QStringLiteral("Continue"), QStringLiteral("Cancel"), int(DialogIcon::Warning));
        if (answer != QLatin1String("Continue"))
            return;
        SetBaseCurrency(m_db, symbol, lstItems->column(row, InternationalColumn));
        m_changed = true;
        ShowNotice(m_notifier, QStringLiteral("Currency %1 set as base currency.").arg(symbol), InformationDialog);
        FillCurrencyList();
    });
}
