#include "core/exchange/qifreader.h"

#include <cstring>
#include <optional>

namespace {

constexpr char EmptyValue[] = "*";

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool startsWithNoCase(QByteArrayView line, QByteArrayView prefix)
{
    if (line.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (upper(line[i]) != upper(prefix[i]))
            return false;
    }
    return true;
}

int fieldOfCode(char code)
{
    switch (upper(code)) {
    case 'D': return int(QifField::Date);
    case 'T': return int(QifField::Amount);
    case 'C': return int(QifField::Cleared);
    case 'N': return int(QifField::Number);
    case 'P': return int(QifField::Payee);
    case 'M': return int(QifField::Memo);
    case 'A': return int(QifField::Address);
    case 'L': return int(QifField::Category);
    case 'S': return int(QifField::SplitCategory);
    case 'E': return int(QifField::SplitMemo);
    case '$': return int(QifField::SplitAmount);
    default: return -1;
    }
}

struct Header
{
    const char *prefix;
    QifSection section;
};

// Longer prefixes first where one begins another.
constexpr Header Headers[] = {
    {"!Type:Bank", QifSection::Bank},
    {"!Type:Cash", QifSection::Cash},
    {"!Type:CCard", QifSection::CreditCard},
    {"!Type:Oth A", QifSection::OtherAsset},
    {"!Type:Oth L", QifSection::OtherLiability},
    {"!Type:Invst", QifSection::Investment},
    {"!Account", QifSection::AccountList},
};

// The section a header line opens; nothing for the switches that only steer how
// Quicken reads "!Account" blocks.
std::optional<QifSection> sectionOfHeader(QByteArrayView line)
{
    if (startsWithNoCase(line, "!Option:") || startsWithNoCase(line, "!Clear:"))
        return std::nullopt;
    for (const Header &header : Headers) {
        if (startsWithNoCase(line, header.prefix))
            return header.section;
    }
    return QifSection::OtherList;
}

} // namespace

void ReadQifRecords(QByteArrayView bytes, const std::function<void(const QifRecord &)> &onRecord)
{
    QifRecord record;
    bool hasFields = false;
    auto finish = [&] {
        if (hasFields)
            onRecord(record);
        const QifSection section = record.section;
        const int sectionNumber = record.sectionNumber;
        record = QifRecord();
        record.section = section;
        record.sectionNumber = sectionNumber;
        hasFields = false;
    };

    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    // Lines end in LF or CR LF; old Macintosh files end them in CR alone.
    const bool crOnly = !bytes.contains('\n') && bytes.contains('\r');
    const char lineEnd = crOnly ? '\r' : '\n';
    qsizetype pos = 0;
    int lineNumber = 0;
    while (pos < size) {
        const void *found = std::memchr(data + pos, lineEnd, size_t(size - pos));
        const qsizetype end = found ? static_cast<const char *>(found) - data : size;
        QByteArrayView line(data + pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;

        if (line[0] == '^' && line.sliced(1).trimmed().isEmpty()) {
            finish();
            continue;
        }
        if (line[0] == '!') {
            const auto section = sectionOfHeader(line);
            if (section) {
                finish();
                record.section = *section;
                ++record.sectionNumber;
            }
            continue;
        }
        const int field = fieldOfCode(line[0]);
        if (field < 0)
            continue;
        QByteArrayView value = line.sliced(1).trimmed();
        if (value.isEmpty())
            value = QByteArrayView(EmptyValue, 1);
        if (!hasFields)
            record.firstLine = lineNumber;
        hasFields = true;
        record.values[field] = value;
        record.lines[field] = lineNumber;
    }
    finish();
}
