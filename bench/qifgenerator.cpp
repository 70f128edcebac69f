#include "qifgenerator.h"

#include <QFile>
#include <QRandomGenerator>
#include <QDate>
#include <algorithm>
#include <vector>

namespace {

QByteArray accountName(int i)
{
    return QStringLiteral("Account %1").arg(i + 1, 2, 10, QLatin1Char('0')).toUtf8();
}

// "1,234.56" for amounts of a thousand and more, as many programs write them.
QByteArray amountText(qint64 cents)
{
    const bool negative = cents < 0;
    qint64 units = negative ? -cents : cents;
    QByteArray whole = QByteArray::number(units / 100);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, ',');
    QByteArray text = (negative ? "-" : "") + whole + '.';
    const int rest = int(units % 100);
    text += char('0' + rest / 10);
    text += char('0' + rest % 10);
    return text;
}

QByteArray dateText(const QDate &d)
{
    return QByteArray::number(d.month()) + '/' + QByteArray::number(d.day()) + '\''
           + QByteArray::number(d.year());
}

struct Record
{
    QDate date;
    qint64 cents;
    int payee;
    int category;      // -1 for a transfer
    int otherAccount;  // for a transfer
    bool cleared;
    bool memo;
};

} // namespace

QifGeneratorResult WriteQifFile(const QString &path, const QifGeneratorOptions &options)
{
    QRandomGenerator random(options.seed);
    // Records per account; a transfer adds one record to each of its two accounts.
    std::vector<std::vector<Record>> sections(size_t(options.accounts));
    QifGeneratorResult result;
    const QDate first(2005, 1, 1);
    const int days = 20 * 365;
    qint64 written = 0;
    while (written < options.transactions) {
        const int account = int(random.bounded(options.accounts));
        Record r;
        r.date = first.addDays(qint64(random.bounded(days)));
        r.cents = qint64(random.bounded(200000)) + 1;
        if (random.bounded(4) != 0)
            r.cents = -r.cents;
        r.payee = int(random.bounded(options.payees));
        r.category = int(random.bounded(options.categories));
        r.otherAccount = -1;
        r.cleared = random.bounded(3) == 0;
        r.memo = random.bounded(5) == 0;
        if (random.bounded(20) == 0) {
            int other = int(random.bounded(options.accounts - 1));
            if (other >= account)
                ++other;
            r.category = -1;
            r.otherAccount = other;
            Record twin = r;
            twin.cents = -r.cents;
            twin.otherAccount = account;
            sections[size_t(other)].push_back(twin);
            ++result.records;
            ++result.transfers;
        }
        sections[size_t(account)].push_back(r);
        ++result.records;
        ++written;
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray out;
    out.reserve(1 << 22);
    auto flush = [&] {
        file.write(out);
        out.clear();
    };
    for (int a = 0; a < options.accounts; ++a) {
        result.references.append(QString::fromUtf8('[' + accountName(a) + ']'));
        auto &records = sections[size_t(a)];
        std::stable_sort(records.begin(), records.end(),
                         [](const Record &x, const Record &y) { return x.date < y.date; });
        out += "!Account\nN" + accountName(a) + "\nTBank\n^\n!Type:Bank\n";
        for (const Record &r : records) {
            out += 'D' + dateText(r.date) + "\nT" + amountText(r.cents) + '\n';
            if (r.cleared)
                out += "CX\n";
            out += "PPayee " + QByteArray::number(r.payee) + '\n';
            if (r.memo)
                out += "MNote about payment " + QByteArray::number(r.cents) + '\n';
            if (r.otherAccount >= 0)
                out += "L[" + accountName(r.otherAccount) + "]\n";
            else
                out += "LCategory " + QByteArray::number(r.category) + '\n';
            out += "^\n";
            if (out.size() > (1 << 22))
                flush();
        }
    }
    flush();
    return result;
}
