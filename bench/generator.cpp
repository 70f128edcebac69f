#include "generator.h"

#include "core/store/transactionstore.h"
#include "core/store/ttransaction.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"

#include <QDate>
#include <random>

namespace {

constexpr int AccountCount = 10;
constexpr int PayeeCount = 300;
constexpr int CategoryCount = 60;

const char *const AccountTypes[] = {"Bank", "Cash", "Credit Card", "Savings", "Investment"};
const char *const Statuses[] = {" ", "Void", "Cleared", "Reconciled"};

QString accountName(int i) { return QStringLiteral("Account %1").arg(i + 1, 2, 10, QLatin1Char('0')); }
QString payeeName(int i) { return QStringLiteral("Payee %1").arg(i + 1, 3, 10, QLatin1Char('0')); }
QString categoryName(int i) { return QStringLiteral("Category %1").arg(i + 1, 2, 10, QLatin1Char('0')); }

} // namespace

void GenerateLists(TMyDataModule &db)
{
    WorkGuard work(db);
    // The template holds the base currency (id 1); two more with their rates.
    SqlStatement currency(db, QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, "
                                             "CurrencyRate, IsBaseCurrency) VALUES (:s, :i, :r, 0)"));
    currency.bind(QStringLiteral(":s"), QStringLiteral("€")).bind(QStringLiteral(":i"), QStringLiteral("EUR"))
        .bind(QStringLiteral(":r"), 0.92).exec();
    currency.bind(QStringLiteral(":s"), QStringLiteral("£")).bind(QStringLiteral(":i"), QStringLiteral("GBP"))
        .bind(QStringLiteral(":r"), 0.79).exec();

    SqlStatement account(db, QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) "
                                            "VALUES (:n, :t, :c)"));
    for (int i = 0; i < AccountCount; ++i)
        account.bind(QStringLiteral(":n"), accountName(i)).bind(QStringLiteral(":t"), AccountTypes[i % 5])
            .bind(QStringLiteral(":c"), 1 + i % 3).exec();

    SqlStatement payee(db, QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:n, :t, 0, ' ')"));
    for (int i = 0; i < PayeeCount; ++i)
        payee.bind(QStringLiteral(":n"), payeeName(i))
            .bind(QStringLiteral(":t"), i % 10 == 0 ? QStringLiteral("Income") : QStringLiteral("Expense")).exec();

    SqlStatement category(db, QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) "
                                             "VALUES (:n, :t, 0, ' ')"));
    for (int i = 0; i < CategoryCount; ++i)
        category.bind(QStringLiteral(":n"), categoryName(i))
            .bind(QStringLiteral(":t"), i % 6 == 0 ? QStringLiteral("Income") : QStringLiteral("Expense")).exec();
    work.commit();
}

void GenerateBook(TMyDataModule &db, const GeneratorOptions &options)
{
    GenerateLists(db);
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> account(0, AccountCount - 1);
    std::uniform_int_distribution<int> payee(0, PayeeCount - 1);
    std::uniform_int_distribution<int> category(0, CategoryCount - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<qint64> cents(100, 250000);
    std::uniform_int_distribution<int> status(0, 3);

    const QDate first(options.lastYear - options.years + 1, 1, 1);
    const qint64 days = first.daysTo(QDate(options.lastYear, 12, 31)) + 1;
    const qint64 batch = 50000;

    // Names are resolved by the store, as for the register; transfers count as two rows.
    qint64 done = 0;
    while (done < options.transactions) {
        WorkGuard work(db);
        const qint64 end = qMin(options.transactions, done + batch);
        while (done < end) {
            TTransaction t;
            // Spread evenly over the years so that every month holds a few hundred rows per book.
            t.TransactionDate = first.addDays(done * days / options.transactions);
            const int a = account(random);
            t.AccountDescription = accountName(a);
            t.PayeeName = payeeName(payee(random));
            t.CategoryDescription = categoryName(category(random));
            t.strNote = percent(random) < 30 ? QStringLiteral("Note %1").arg(done) : QString();
            t.Status = QString::fromLatin1(Statuses[status(random)]);
            const qint64 amount = cents(random) * 100;
            const int kind = percent(random);
            if (kind < 5 && done + 1 < end) {
                t.InternalDescription = QStringLiteral("Transfer");
                t.OtherAccountID = 1 + (a + 1 + account(random) % (AccountCount - 1)) % AccountCount;
                t.Amount = Money::fromUnits(amount);
                done += 2;
            } else {
                t.Amount = Money::fromUnits(kind < 25 ? amount : -amount);
                done += 1;
            }
            InsertTransaction(db, t);
        }
        work.commit();
        if (options.progress)
            options.progress(done);
    }
}
