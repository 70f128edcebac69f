#include "core/exchange/qifstaging.h"

#include "core/exchange/qifdate.h"
#include "core/exchange/qifreader.h"
#include "core/exchange/qiftext.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

std::string_view view(QByteArrayView bytes)
{
    return std::string_view(bytes.data(), size_t(bytes.size()));
}

bool equalsNoCase(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString accountTypeReference(QifSection section)
{
    switch (section) {
    case QifSection::Bank: return QStringLiteral("[Bank]");
    case QifSection::Cash: return QStringLiteral("[Cash]");
    case QifSection::CreditCard: return QStringLiteral("[Credit Card]");
    case QifSection::OtherAsset: return QStringLiteral("[Asset]");
    case QifSection::OtherLiability: return QStringLiteral("[Liability]");
    default: return QString();
    }
}

bool isTransactionSection(QifSection section)
{
    return !accountTypeReference(section).isEmpty();
}

// The account an "L" value names: the bracketed part, without a "/class" after it.
QByteArrayView accountPart(QByteArrayView category)
{
    const qsizetype close = category.indexOf(']');
    return close < 0 ? category : category.first(close + 1);
}

// An amount as QIF files write it: "-1,234.56", blanks allowed.
std::optional<Money> readAmount(QByteArrayView text)
{
    QVarLengthArray<char16_t, 48> plain;
    for (char c : text) {
        if (c == ',' || c == ' ' || c == '\t')
            continue;
        plain.append(char16_t(static_cast<unsigned char>(c)));
    }
    return Money::fromText(QStringView(plain.constData(), plain.size()));
}

// Builds the staging while the reader walks the file.
class Stager
{
public:
    explicit Stager(TextEncoding encoding) : m_encoding(encoding)
    {
        m_staging.names.append(QString());
        m_nameIndex.emplace(std::string_view(), 0);
    }

    void add(const QifRecord &record)
    {
        if (record.section == QifSection::AccountList) {
            noteAccountRecord(record);
            return;
        }
        // Records before any "!Type:" header are bank records, as other programs read them.
        const QifSection section = record.section == QifSection::None ? QifSection::Bank : record.section;
        if (record.sectionNumber != m_sectionNumber)
            openSection(record, section);
        if (!isTransactionSection(section) || !record.has(QifField::Date))
            return;
        stage(record);
    }

    QifStaging finish();

    // Room for this many rows up front: growing the vectors of a million rows step by
    // step moved each row several times and was most of the staging time.
    void reserve(size_t rows)
    {
        m_staging.rows.reserve(rows);
        m_dates.reserve(rows);
        m_dateLines.reserve(rows);
    }

private:
    void noteAccountRecord(const QifRecord &record)
    {
        // A lone account record names the section that follows; a list of several
        // (Quicken's account list) names none.
        if (record.sectionNumber != m_accountSectionNumber) {
            m_accountSectionNumber = record.sectionNumber;
            m_pendingAccount = record.has(QifField::Number) ? decode(record.value(QifField::Number)) : QString();
        } else {
            m_pendingAccount.clear();
        }
    }

    void openSection(const QifRecord &record, QifSection section)
    {
        m_sectionNumber = record.sectionNumber;
        m_ownAccount = -1;
        m_namedAccount = m_pendingAccount.isEmpty() ? QString() : u'[' + m_pendingAccount + u']';
        m_pendingAccount.clear();
        m_sectionType = section;
    }

    int ownAccountFor(const QifRecord &record)
    {
        if (m_ownAccount >= 0)
            return m_ownAccount;
        QString reference = m_namedAccount;
        if (reference.isEmpty() && record.has(QifField::Payee) && record.has(QifField::Category)
            && equalsNoCase(record.value(QifField::Payee), "Opening Balance")
            && record.value(QifField::Category).startsWith('[')) {
            reference = decode(accountPart(record.value(QifField::Category)));
        }
        if (reference.isEmpty())
            reference = accountTypeReference(m_sectionType);
        m_ownAccount = referenceIndex(reference);
        m_ownReferences.append(m_ownAccount);
        return m_ownAccount;
    }

    void stage(const QifRecord &record)
    {
        QifStagedRow row;
        row.line = record.firstLine;
        const QifDateParts date = ParseQifDateParts(record.value(QifField::Date));
        if (!date.isReadable())
            throw QifError(record.line(QifField::Date),
                           QStringLiteral("the date \"%1\" cannot be read.").arg(decode(record.value(QifField::Date))));
        if (date.showsDayFirst())
            m_staging.dayFirst = true;
        if (!record.has(QifField::Amount))
            throw QifError(record.line(QifField::Date), QStringLiteral("the transaction has no amount (\"T\" line)."));
        const auto amount = readAmount(record.value(QifField::Amount));
        if (!amount)
            throw QifError(record.line(QifField::Amount),
                           QStringLiteral("the amount \"%1\" cannot be read.").arg(decode(record.value(QifField::Amount))));
        row.amount = *amount;
        row.account = ownAccountFor(record);
        if (record.has(QifField::Payee))
            row.payee = nameIndex(record.value(QifField::Payee));
        if (record.has(QifField::Category)) {
            const QByteArrayView category = record.value(QifField::Category);
            row.category = nameIndex(category);
            if (category.startsWith('[')) {
                const int reference = referenceIndex(decode(accountPart(category)));
                if (!m_namedReferences.contains(reference)) {
                    m_namedReferences.insert(reference);
                    m_namedOrder.append(reference);
                }
                if (reference != row.account) {
                    row.otherAccount = reference;
                }
            }
        }
        if (record.has(QifField::Memo))
            row.note = decode(record.value(QifField::Memo));
        if (record.has(QifField::Cleared))
            row.status = QifStatusOf(record.value(QifField::Cleared));
        m_dates.push_back(date);
        m_dateLines.push_back(record.line(QifField::Date));
        m_staging.rows.push_back(std::move(row));
    }

    QString decode(QByteArrayView bytes) const { return DecodeText(bytes, m_encoding); }

    int nameIndex(QByteArrayView bytes)
    {
        const auto [it, added] = m_nameIndex.try_emplace(view(bytes), int(m_staging.names.size()));
        if (added)
            m_staging.names.append(decode(bytes));
        return it->second;
    }

    int referenceIndex(const QString &reference)
    {
        const auto it = m_referenceIndex.constFind(reference);
        if (it != m_referenceIndex.constEnd())
            return *it;
        const int index = int(m_referenceNames.size());
        m_referenceNames.append(reference);
        m_referenceIndex.insert(reference, index);
        return index;
    }

    void resolveDates();
    void orderReferences();
    void leaveOutDuplicateTransfers();

    TextEncoding m_encoding;
    QifStaging m_staging;
    std::unordered_map<std::string_view, int> m_nameIndex;
    QStringList m_referenceNames;
    QHash<QString, int> m_referenceIndex;
    QSet<int> m_namedReferences;
    QList<int> m_namedOrder;
    QList<int> m_ownReferences;
    std::vector<QifDateParts> m_dates;
    std::vector<int> m_dateLines;

    int m_sectionNumber = -1;
    int m_accountSectionNumber = -1;
    QifSection m_sectionType = QifSection::None;
    QString m_pendingAccount;
    QString m_namedAccount;
    int m_ownAccount = -1;
};

void Stager::resolveDates()
{
    for (size_t i = 0; i < m_staging.rows.size(); ++i) {
        const QDate date = QifDate(m_dates[i], m_staging.dayFirst);
        if (!date.isValid())
            throw QifError(m_dateLines[i], QStringLiteral("the date is not a day of the calendar%1.")
                                               .arg(m_staging.dayFirst ? QStringLiteral(" (the file writes the day first)")
                                                                       : QString()));
        m_staging.rows[i].date = date;
    }
    m_dates = {};
    m_dateLines = {};
}

// References named in "L" lines keep their order of first appearance; own accounts no
// line names follow them.
void Stager::orderReferences()
{
    QList<int> order = m_namedOrder;
    for (int index : m_ownReferences) {
        if (!m_namedReferences.contains(index) && !order.contains(index))
            order.append(index);
    }
    std::vector<int> position(size_t(m_referenceNames.size()), -1);
    for (int i = 0; i < order.size(); ++i) {
        position[size_t(order[i])] = i;
        m_staging.references.append(m_referenceNames[order[i]]);
    }
    for (QifStagedRow &row : m_staging.rows) {
        row.account = position[size_t(row.account)];
        if (row.otherAccount >= 0)
            row.otherAccount = position[size_t(row.otherAccount)];
    }
}

// When both accounts of a transfer have a section in the file, each carries the
// transfer: same day, opposite amounts, each naming the other. The first of the two
// is kept.
void Stager::leaveOutDuplicateTransfers()
{
    struct Key
    {
        qint64 day;
        int low;
        int high;
        qint64 amountOfLow; // the amount as the lower-numbered account sees it
        bool operator==(const Key &) const = default;
    };
    struct KeyHash
    {
        size_t operator()(const Key &k) const
        {
            return qHashMulti(0, k.day, k.low, k.high, k.amountOfLow);
        }
    };
    struct Waiting
    {
        int fromLow = 0;
        int fromHigh = 0;
    };
    std::unordered_map<Key, Waiting, KeyHash> waiting;
    auto &rows = m_staging.rows;
    size_t kept = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        QifStagedRow &row = rows[i];
        bool duplicate = false;
        if (row.isTransfer()) {
            const bool fromLow = row.account < row.otherAccount;
            const Key key{row.date.toJulianDay(), qMin(row.account, row.otherAccount),
                          qMax(row.account, row.otherAccount),
                          fromLow ? row.amount.units() : -row.amount.units()};
            Waiting &w = waiting[key];
            int &other = fromLow ? w.fromHigh : w.fromLow;
            if (other > 0) {
                --other;
                duplicate = true;
            } else {
                ++(fromLow ? w.fromLow : w.fromHigh);
            }
        }
        if (duplicate) {
            ++m_staging.duplicateTransferCount;
            continue;
        }
        if (row.isTransfer())
            ++m_staging.transferCount;
        if (kept != i)
            rows[kept] = std::move(row);
        ++kept;
    }
    rows.resize(kept);
}

QifStaging Stager::finish()
{
    resolveDates();
    orderReferences();
    leaveOutDuplicateTransfers();
    return std::move(m_staging);
}

// About the number of rows the file stages, to reserve room for: records end at a "^"
// (those that end at a header or the file's end only make the vectors grow as usual),
// and a staged record takes at least 12 bytes ("D1/1/1", "T1", "^" and their line
// ends), which bounds what a file of nothing but "^" lines reserves.
size_t RowCountBound(QByteArrayView bytes)
{
    constexpr qsizetype SmallestRecord = 12;
    size_t count = 0;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        const void *found = std::memchr(p, '^', size_t(end - p));
        if (!found)
            break;
        ++count;
        p = static_cast<const char *>(found) + 1;
    }
    return qMin(count, size_t(bytes.size() / SmallestRecord)) + 1;
}

} // namespace

QifStaging StageQif(QByteArrayView fileBytes)
{
    const QByteArrayView bytes = WithoutByteOrderMark(fileBytes);
    Stager stager(DetectTextEncoding(bytes));
    stager.reserve(RowCountBound(bytes));
    ReadQifRecords(bytes, [&stager](const QifRecord &record) { stager.add(record); });
    return stager.finish();
}

QByteArray ReadImportFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TillbrookError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TillbrookError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return bytes;
}

StagedStatus QifStatusOf(QByteArrayView mark)
{
    const QByteArray trimmed = mark.trimmed().toByteArray();
    if (trimmed.size() != 1)
        return StagedStatus::Unset;
    switch (trimmed.front()) {
    case 'X':
    case 'x':
    case 'R':
    case 'r':
        return StagedStatus::Reconciled;
    case '*':
    case 'c':
    case 'C':
        return StagedStatus::Cleared;
    default:
        return StagedStatus::Unset;
    }
}
