#include "core/exchange/qiftext.h"

#include <QtGlobal>
#include <cstring>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes it leaves
// undefined are kept as the C1 control of the same number.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        // Eight plain ASCII bytes at a time: nearly all of a QIF file.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                low = 0xA0;          // overlong
            else if (c == 0xED)
                high = 0x9F;         // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                low = 0x90;          // overlong
            else if (c == 0xF4)
                high = 0x8F;         // above U+10FFFF
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += extra + 1;
    }
    return true;
}

QByteArrayView WithoutByteOrderMark(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        return bytes.sliced(3);
    return bytes;
}

TextEncoding DetectTextEncoding(QByteArrayView bytes)
{
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? Cp1252High[c - 0x80] : char16_t(c);
    }
    return text;
}
