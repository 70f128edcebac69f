#include "core/exchange/windows1252.h"

namespace {

// The characters of bytes 0x80 to 0x9F; 0 marks the five bytes the set leaves unused.
constexpr char16_t HighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char encode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return char(ch);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == ch && ch != 0)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

void AppendWindows1252(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dest = out.data() + start;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < 0x80) {
            *dest++ = char(ch);
            continue;
        }
        // A pair of surrogates is one character: one "?".
        if (QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        *dest++ = encode(ch);
    }
    out.resize(dest - out.data());
}

QByteArray ToWindows1252(QStringView text)
{
    QByteArray out;
    AppendWindows1252(out, text);
    return out;
}

qsizetype Windows1252Length(QStringView text)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++length;
    }
    return length;
}
