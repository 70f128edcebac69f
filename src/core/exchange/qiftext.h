#pragma once

#include <QByteArrayView>
#include <QString>

// How the bytes of an imported text file become text. A file that is valid UTF-8 is
// read as UTF-8; anything else is taken as Windows-1252, which every byte decodes in,
// so no input is ever refused for its encoding.

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF).
bool IsValidUtf8(QByteArrayView bytes);

// The bytes without a leading UTF-8 byte-order mark.
QByteArrayView WithoutByteOrderMark(QByteArrayView bytes);

enum class TextEncoding { Utf8, Windows1252 };

TextEncoding DetectTextEncoding(QByteArrayView bytes);
QString DecodeText(QByteArrayView bytes, TextEncoding encoding);
