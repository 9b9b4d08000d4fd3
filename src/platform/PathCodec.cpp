#include "PathCodec.h"

#include <cstdint>

namespace quillmere {
namespace {

constexpr char16_t escapeBase = 0xDC00;

bool isEscapedByte(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// Length of the valid UTF-8 sequence starting at p, or 0 when it is not valid
// (overlong forms, surrogates and values above U+10FFFF are not valid).
int validSequenceLength(const uint8_t* p, const uint8_t* end, char32_t& codePoint) {
    const uint8_t b0 = p[0];
    auto continuation = [&](int i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!continuation(1))
            return 0;
        codePoint = char32_t(b0 & 0x1F) << 6 | (p[1] & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!continuation(1) || !continuation(2))
            return 0;
        codePoint = char32_t(b0 & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        if (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3))
            return 0;
        codePoint = char32_t(b0 & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 |
                    (p[3] & 0x3F);
        if (codePoint < 0x10000 || codePoint > 0x10FFFF)
            return 0;
        return 4;
    }
    return 0;
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<uint8_t>(c) >= 0x80)
            return false;
    return true;
}

void appendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
}

} // namespace

QString PathCodec::decode(QByteArrayView bytes) {
    // Most names are ASCII; Latin-1 decoding of ASCII is the cheapest exact conversion.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());

    QString out;
    out.reserve(bytes.size());
    auto p = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            out.append(QChar(char16_t(*p)));
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int length = validSequenceLength(p, end, cp);
        if (length == 0) {
            out.append(QChar(char16_t(escapeBase + *p)));
            ++p;
            continue;
        }
        if (cp >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(cp)));
            out.append(QChar(QChar::lowSurrogate(cp)));
        } else {
            out.append(QChar(char16_t(cp)));
        }
        p += length;
    }
    return out;
}

QByteArray PathCodec::encode(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            out.append(char(unit));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < n &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (isEscapedByte(unit)) {
            out.append(char(unit - escapeBase));
        } else if (QChar::isSurrogate(unit)) {
            // A lone surrogate that no decoded name can hold; keep it visible but valid.
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

QString PathCodec::displayText(QStringView text) {
    if (!hasEscapedBytes(text))
        return text.toString();
    QString out = text.toString();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t unit = out[i].unicode();
        const bool pairedLow = i > 0 && QChar::isHighSurrogate(out[i - 1].unicode());
        if (isEscapedByte(unit) && !pairedLow)
            out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

bool PathCodec::hasEscapedBytes(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (isEscapedByte(unit) && !(i > 0 && QChar::isHighSurrogate(text[i - 1].unicode())))
            return true;
    }
    return false;
}

} // namespace quillmere
