#include "core/accounts/currencies.h"

#include "core/base/notices.h"
#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"

#include <QLocale>
#include <cmath>

namespace {

// SQLite keeps true as 1, so the base currency sorts first in descending order.
constexpr auto BaseFirst = "IsBaseCurrency DESC";

} // namespace

QString RateToText(double rate)
{
    return QString::number(rate, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> ParseRate(const QString &text)
{
    if (!IsNumber(text))
        return std::nullopt;
    bool ok = false;
    // QString::toDouble always reads "." as the decimal point, whatever the locale.
    const double rate = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(rate) || rate < MinimumRate || rate > MaximumRate)
        return std::nullopt;
    return rate;
}

QStringList CurrencyListRows(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral(
        "SELECT CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency, LastUpdated"
        " FROM tbCurrency ORDER BY %1, CurrencySymbol, InternationalCurrencySymbol, CurrencyID")
        .arg(QLatin1String(BaseFirst)));
    query.exec();
    QStringList rows;
    while (query.next()) {
        const QString rate = query.isNull(QStringLiteral("CurrencyRate"))
            ? QString() : RateToText(query.realValue(QStringLiteral("CurrencyRate")));
        rows << query.textValue(QStringLiteral("CurrencySymbol")) + u';'
                + query.textValue(QStringLiteral("InternationalCurrencySymbol")) + u';'
                + rate + u';'
                + (query.boolValue(QStringLiteral("IsBaseCurrency")) ? QStringLiteral("Y") : QString()) + u';'
                + query.textValue(QStringLiteral("LastUpdated")) + u';';
    }
    return rows;
}

QStringList CurrencySymbols(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral("SELECT CurrencySymbol FROM tbCurrency ORDER BY %1, CurrencySymbol, CurrencyID")
                               .arg(QLatin1String(BaseFirst)));
    query.exec();
    QStringList symbols;
    while (query.next())
        symbols << query.textValue(QStringLiteral("CurrencySymbol"));
    return symbols;
}

QString BaseCurrencySymbol(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral("SELECT CurrencySymbol FROM tbCurrency WHERE IsBaseCurrency <> 0"
                                          " ORDER BY CurrencyID LIMIT 1"));
    query.exec();
    return query.next() ? query.textValue(QStringLiteral("CurrencySymbol")) : QString();
}

bool SaveCurrency(TMyDataModule &db, Notifier &notifier, EditMode mode,
                  const QString &oldInternationalSymbol, const TCurrencyRec &currency)
{
    if (currency.CurrencySymbol.isEmpty() || currency.InternationalCurrencySymbol.isEmpty()) {
        ShowNotice(notifier, QStringLiteral("You cannot have an empty currency symbol."), WarningDialog);
        return false;
    }
    // The list keeps its columns apart with ";"; editing or deleting a cut symbol
    // would reach another currency or none.
    if (currency.CurrencySymbol.contains(u';') || currency.InternationalCurrencySymbol.contains(u';')) {
        ShowNotice(notifier, QStringLiteral("A currency symbol cannot contain \";\"."), WarningDialog);
        return false;
    }
    const std::optional<double> rate = ParseRate(currency.CurrencyRate);
    if (!rate)
        throw TillbrookError(QStringLiteral("\"%1\" is not a valid currency rate: use digits with \".\" "
                                            "as the decimal point, from %2 to %3.")
                                 .arg(currency.CurrencyRate, RateToText(MinimumRate), RateToText(MaximumRate)));

    if (mode == EditMode::New) {
        SqlStatement insert(db, QStringLiteral(
            "INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate)"
            " VALUES (:CurrencySymbol, :InternationalCurrencySymbol, :CurrencyRate)"));
        insert.bind(QStringLiteral(":CurrencySymbol"), currency.CurrencySymbol)
              .bind(QStringLiteral(":InternationalCurrencySymbol"), currency.InternationalCurrencySymbol)
              .bind(QStringLiteral(":CurrencyRate"), *rate)
              .exec();
        return true;
    }
    // The base currency's rate is 1 by definition; only its symbols can change.
    SqlStatement update(db, QStringLiteral(
        "UPDATE tbCurrency SET CurrencySymbol=:CurrencySymbol,"
        " CurrencyRate=CASE WHEN IsBaseCurrency<>0 THEN CurrencyRate ELSE :CurrencyRate END,"
        " InternationalCurrencySymbol=:InternationalCurrencySymbol"
        " WHERE InternationalCurrencySymbol=:OldInternationalCurrencySymbol"));
    update.bind(QStringLiteral(":CurrencySymbol"), currency.CurrencySymbol)
          .bind(QStringLiteral(":CurrencyRate"), *rate)
          .bind(QStringLiteral(":InternationalCurrencySymbol"), currency.InternationalCurrencySymbol)
          .bind(QStringLiteral(":OldInternationalCurrencySymbol"), oldInternationalSymbol)
          .exec();
    return true;
}

QStringList AccountsUsingCurrency(TMyDataModule &db, const QString &symbol,
                                  const QString &internationalSymbol)
{
    SqlStatement query(db, QStringLiteral(
        "SELECT AccountDescription FROM tbAccount WHERE CurrencyID IN"
        " (SELECT CurrencyID FROM tbCurrency WHERE InternationalCurrencySymbol=:InternationalCurrencySymbol"
        " AND CurrencySymbol=:CurrencySymbol) ORDER BY AccountDescription, AccountId"));
    query.bind(QStringLiteral(":InternationalCurrencySymbol"), internationalSymbol)
         .bind(QStringLiteral(":CurrencySymbol"), symbol)
         .exec();
    QStringList names;
    while (query.next())
        names << query.textValue(QStringLiteral("AccountDescription"));
    return names;
}

bool DeleteCurrency(TMyDataModule &db, Notifier &notifier, const QString &symbol,
                    const QString &internationalSymbol)
{
    // An account without its currency would drop out of the account list and its new
    // transactions would silently fall back to rate 1.
    const QStringList users = AccountsUsingCurrency(db, symbol, internationalSymbol);
    if (!users.isEmpty()) {
        ShowNotice(notifier,
                   QStringLiteral("Cannot delete currency %1, it is used by the account(s): %2. "
                                  "Give these accounts another currency first.")
                       .arg(symbol, users.join(QStringLiteral(", "))),
                   WarningDialog);
        return false;
    }
    SqlStatement remove(db, QStringLiteral(
        "DELETE FROM tbCurrency WHERE InternationalCurrencySymbol=:OldInternationalCurrencySymbol"
        " AND CurrencySymbol=:OldCurrencySymbol"));
    remove.bind(QStringLiteral(":OldInternationalCurrencySymbol"), internationalSymbol)
          .bind(QStringLiteral(":OldCurrencySymbol"), symbol)
          .exec();
    return true;
}

void SetBaseCurrency(TMyDataModule &db, const QString &symbol, const QString &internationalSymbol)
{
    // The divisor is the stored rate itself: a rate rounded for display would leave
    // the new base's own transactions off 1 and could even round to 0.
    double rate = 0;
    {
        SqlStatement query(db, QStringLiteral(
            "SELECT CurrencyRate FROM tbCurrency WHERE InternationalCurrencySymbol=:InternationalCurrencySymbol"
            " AND CurrencySymbol=:CurrencySymbol ORDER BY CurrencyID"));
        query.bind(QStringLiteral(":InternationalCurrencySymbol"), internationalSymbol)
             .bind(QStringLiteral(":CurrencySymbol"), symbol)
             .exec();
        if (!query.next())
            throw TillbrookError(QStringLiteral("The currency %1 (%2) does not exist.").arg(symbol, internationalSymbol));
        rate = query.realValue(QStringLiteral("CurrencyRate"));
    }
    if (!std::isfinite(rate) || rate <= 0)
        throw TillbrookError(QStringLiteral("The currency %1 has no proper rate (%2); set its rate first.")
                                 .arg(symbol, RateToText(rate)));

    // Division keeps the order of the rates, so the smallest and largest of each table
    // tell whether every new rate is a finite number above 0. A rate that is not
    // would poison every sum across currencies for good: nothing is written then.
    for (const QString &table : {QStringLiteral("tbCurrency"), QStringLiteral("tbTransactions")}) {
        SqlStatement query(db, QStringLiteral(
            "SELECT MIN(CurrencyRate), MAX(CurrencyRate),"
            " SUM(CASE WHEN CurrencyRate <= 0 OR typeof(CurrencyRate) NOT IN ('integer', 'real') THEN 1 ELSE 0 END)"
            " FROM %1 WHERE CurrencyRate IS NOT NULL").arg(table));
        query.exec();
        if (!query.next() || query.value(0).isNull())
            continue;
        const double smallest = query.value(0).toDouble() / rate;
        const double largest = query.value(1).toDouble() / rate;
        if (query.value(2).toLongLong() > 0 || !(smallest > 0) || !std::isfinite(largest))
            throw TillbrookError(QStringLiteral("%1 cannot be the base currency: with its rate of %2 some %3 rates "
                                                "would no longer be numbers above 0. Nothing was changed.")
                                     .arg(symbol, RateToText(rate),
                                          table == QLatin1String("tbCurrency") ? QStringLiteral("currency")
                                                                               : QStringLiteral("transaction")));
    }

    // Currency rates and transaction rates must never disagree: one unit of work.
    WorkGuard work(db);
    SqlStatement(db, QStringLiteral("UPDATE tbCurrency SET IsBaseCurrency=0, CurrencyRate=CurrencyRate/:BaseCurrencyRate"))
        .bind(QStringLiteral(":BaseCurrencyRate"), rate)
        .exec();
    SqlStatement(db, QStringLiteral(
        "UPDATE tbCurrency SET IsBaseCurrency=1, CurrencyRate=1"
        " WHERE InternationalCurrencySymbol=:InternationalCurrencySymbol AND CurrencySymbol=:CurrencySymbol"))
        .bind(QStringLiteral(":InternationalCurrencySymbol"), internationalSymbol)
        .bind(QStringLiteral(":CurrencySymbol"), symbol)
        .exec();
    SqlStatement(db, QStringLiteral("UPDATE tbTransactions SET CurrencyRate=CurrencyRate/:BaseCurrencyRate"))
        .bind(QStringLiteral(":BaseCurrencyRate"), rate)
        .exec();
    work.commit();
}
