#include "core/accounts/accounts.h"

#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"

const QStringList &AccountTypes()
{
    static const QStringList types = {
        QStringLiteral("Asset"), QStringLiteral("Bank"), QStringLiteral("Cash"),
        QStringLiteral("Checking"), QStringLiteral("Credit Card"), QStringLiteral("Employee Stock Option"),
        QStringLiteral("Home"), QStringLiteral("Investment"), QStringLiteral("Liability"),
        QStringLiteral("Line of Credit"), QStringLiteral("Loan"), QStringLiteral("Mortgage"),
        QStringLiteral("Other"), QStringLiteral("Retirement"), QStringLiteral("Savings"),
        QStringLiteral("Vehicle"), QStringLiteral("Watch"),
    };
    return types;
}

QStringList AccountListRows(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral(
        "SELECT AccountDescription, RecordDescription, CurrencySymbol FROM tbAccount, tbCurrency"
        " WHERE tbAccount.CurrencyID=tbCurrency.CurrencyID"
        " ORDER BY AccountDescription, tbAccount.Type, RecordDescription, AccountId"));
    query.exec();
    QStringList rows;
    while (query.next()) {
        rows << query.textValue(QStringLiteral("AccountDescription")) + u';'
                + query.textValue(QStringLiteral("RecordDescription")) + u';'
                + query.textValue(QStringLiteral("CurrencySymbol"));
    }
    return rows;
}

bool SaveAccount(TMyDataModule &db, Notifier &notifier, EditMode mode,
                 const QString &oldDescription, const TAccountRec &account)
{
    if (account.AccountDescription.isEmpty() || account.AccountType.isEmpty() || account.CurrencySymbol.isEmpty()) {
        ShowNotice(notifier, QStringLiteral("You have not entered all account details."), WarningDialog);
        return false;
    }
    // The list keeps its columns apart with ";": such a name would be cut in two there,
    // and editing or deleting the cut name would reach another account or none.
    if (account.AccountDescription.contains(u';')) {
        ShowNotice(notifier, QStringLiteral("An account name cannot contain \";\"."), WarningDialog);
        return false;
    }
    const int currencyId = LookupId(db, QStringLiteral("tbCurrency"), QStringLiteral("CurrencyID"),
                                    QStringLiteral("CurrencySymbol"), account.CurrencySymbol);
    // An account without an existing currency would vanish from the list.
    if (currencyId < 0) {
        ShowNotice(notifier, QStringLiteral("Please set proper currency."), WarningDialog);
        return false;
    }

    if (mode == EditMode::New) {
        SqlStatement insert(db, QStringLiteral(
            "INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID)"
            " VALUES (:AccountDescription, :RecordDescription, :CurrencyID)"));
        insert.bind(QStringLiteral(":AccountDescription"), account.AccountDescription)
              .bind(QStringLiteral(":RecordDescription"), account.AccountType)
              .bind(QStringLiteral(":CurrencyID"), currencyId)
              .exec();
        return true;
    }
    SqlStatement update(db, QStringLiteral(
        "UPDATE tbAccount SET AccountDescription=:AccountDescription,"
        " RecordDescription=:RecordDescription, CurrencyID=:CurrencyID"
        " WHERE AccountDescription=:OldAccountDescription"));
    update.bind(QStringLiteral(":AccountDescription"), account.AccountDescription)
          .bind(QStringLiteral(":RecordDescription"), account.AccountType)
          .bind(QStringLiteral(":CurrencyID"), currencyId)
          .bind(QStringLiteral(":OldAccountDescription"), oldDescription)
          .exec();
    return true;
}

bool DeleteAccount(TMyDataModule &db, const QString &accountDescription)
{
    const int accountId = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                                   QStringLiteral("AccountDescription"), accountDescription);
    if (accountId < 0)
        return false;

    WorkGuard work(db);
    // Only transfer rows have another half; other rows' links mean nothing.
    SqlStatement(db, QStringLiteral(
        "DELETE FROM tbTransactions WHERE TransactionID IN"
        " (SELECT LinkedTransactionID FROM tbTransactions WHERE AccountId=:AccountId"
        " AND InternalDescription='Transfer' AND LinkedTransactionID>0)"))
        .bind(QStringLiteral(":AccountId"), accountId)
        .exec();
    SqlStatement(db, QStringLiteral("DELETE FROM tbTransactions WHERE AccountId=:AccountId"))
        .bind(QStringLiteral(":AccountId"), accountId)
        .exec();
    // Its schedules go with its transactions, and so do transfers into it, as the
    // other halves of its transfers do.
    SqlStatement(db, QStringLiteral("DELETE FROM tbSchedule WHERE AccountId=:AccountId OR OtherAccountID=:AccountId"))
        .bind(QStringLiteral(":AccountId"), accountId)
        .exec();
    // By identifier: a second account of the same name keeps its row and its
    // transactions, which would otherwise be left without an account.
    SqlStatement(db, QStringLiteral("DELETE FROM tbAccount WHERE AccountId=:AccountId"))
        .bind(QStringLiteral(":AccountId"), accountId)
        .exec();
    work.commit();
    return true;
}

int NewestAccountId(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral("SELECT MAX(AccountId) FROM tbAccount"));
    query.exec();
    return query.next() ? query.value(0).toInt() : 0;
}
