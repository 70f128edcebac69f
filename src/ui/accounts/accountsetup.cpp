#include "ui/accounts/accountsetup.h"

#include "core/accounts/currencies.h"

#include "ui/accounts/accountedit.h"
#include "core/accounts/accounts.h"
#include "ui/feedback/dialogrunner.h"
#include "core/base/notices.h"
#include "ui/feedback/dialogcommand.h"
#include "ui/widgets/listdialoglayout.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

TfrmAccountSetup::TfrmAccountSetup(TMyDataModule &db, Notifier &notifier, QWidget *parent)
    : QDialog(parent)
    , m_db(db)
    , m_notifier(notifier)
{
    setObjectName(QStringLiteral("TfrmAccountSetup"));
    setWindowTitle(QStringLiteral("Account Setup"));

    lstItems = new TMultiColListbox(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setSections({{QStringLiteral("Account Description"), 250}, {QStringLiteral("Category"), 150},
                           {QStringLiteral("Currency"), 90}});

    btnNew = MakeListDialogButton(this, "btnNew", QStringLiteral("&New"), QStringLiteral("Create a new account"));
    btnEdit = MakeListDialogButton(this, "btnEdit", QStringLiteral("&Edit"), QStringLiteral("Edit the account select from the list"));
    btnDelete = MakeListDialogButton(this, "btnDelete", QStringLiteral("&Delete"), QStringLiteral("Delete the account select from the list"));
    btnClose = MakeListDialogButton(this, "btnClose", QStringLiteral("&Close"), QStringLiteral("Close this window"));

    LayOutListDialog(this, lstItems, {btnNew, btnEdit, btnDelete}, btnClose);
    resize(508, 448);

    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
    connect(lstItems, &QTreeWidget::itemActivated, this, [this] { btnEditClick(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    Guarded(m_notifier, [&] { FillAccountList(); });
}

void TfrmAccountSetup::FillAccountList()
{
    lstItems->setItems(AccountListRows(m_db));
}

bool TfrmAccountSetup::EditAccount(EditMode mode, const QString &oldDescription, const QString &accountType,
                                   const QString &currencySymbol)
{
    bool saved = false;
    {
        TfrmAccountEdit editor(m_db, m_notifier, this);
        // A new account starts in the base currency, the one most accounts use.
        editor.setTexts(oldDescription, accountType,
                        mode == EditMode::New ? BaseCurrencySymbol(m_db) : currencySymbol);
        ExecDialog(editor);
        if (editor.Cancelled == 0) {
            const TAccountRec account{editor.txtAccountDescription->text(), editor.cmbAccountType->currentText(),
                                      editor.cmbAccountCurrency->currentText()};
            saved = SaveAccount(m_db, m_notifier, mode, oldDescription, account);
        }
    }
    FillAccountList();
    return saved;
}

void TfrmAccountSetup::btnNewClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        if (EditAccount(EditMode::New, QString(), QString(), QString())) {
            m_changed = true;
            ShowNotice(m_notifier, QStringLiteral("Account Saved."), InformationDialog);
        }
    });
}

void TfrmAccountSetup::btnEditClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        const int row = lstItems->firstSelectedRow();
        if (row < 0)
            return;
        if (EditAccount(EditMode::Edit, lstItems->column(row, 0), lstItems->column(row, 1), lstItems->column(row, 2))) {
            m_changed = true;
            ShowNotice(m_notifier, QStringLiteral("Account Saved."), InformationDialog);
        }
    });
}

void TfrmAccountSetup::btnDeleteClick()
{
    RunDialogCommand(m_db, m_notifier, [&] {
        const int row = lstItems->firstSelectedRow();
        if (row < 0)
            return;
        if (AskYesNo(m_notifier, QStringLiteral("Are you sure you want to delete an Account, all transactions linked "
                                                "to the account will be deleted as well. Transfers linked to the "
                                                "account will also be removed.")) != AskYes)
            return;
        const QString name = lstItems->column(row, 0);
        if (AskYesNo(m_notifier, QStringLiteral("Delete %1?").arg(name)) == AskYes) {
            if (DeleteAccount(m_db, name)) {
                m_changed = true;
                ShowNotice(m_notifier, QStringLiteral("Account deleted."), WarningDialog);
            }
        }
        FillAccountList();
    });
}
