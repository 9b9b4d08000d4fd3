#include "services/persistence/InexactJsonIntegers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace quillmere {
namespace {

// 2^63: whole doubles from -2^63 up to here are the ones Qt turns into integers.
constexpr double twoToThe63 = 9223372036854775808.0;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isNumberCharacter(char c) {
    return isDigit(c) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// A number as JSON writes it, split into its parts; empty when the text is no such number.
struct NumberText {
    bool negative = false;
    QByteArrayView integerDigits;
    QByteArrayView fractionDigits;
    int64_t exponent = 0;
    bool plainInteger = true;

    static std::optional<NumberText> parse(QByteArrayView text) {
        NumberText number;
        qsizetype i = 0;
        auto digits = [&] {
            const qsizetype start = i;
            while (i < text.size() && isDigit(text[i]))
                ++i;
            return text.sliced(start, i - start);
        };
        if (i < text.size() && text[i] == '-') {
            number.negative = true;
            ++i;
        }
        number.integerDigits = digits();
        if (number.integerDigits.isEmpty() ||
            (number.integerDigits.size() > 1 && number.integerDigits[0] == '0'))
            return std::nullopt;
        if (i < text.size() && text[i] == '.') {
            ++i;
            number.fractionDigits = digits();
            if (number.fractionDigits.isEmpty())
                return std::nullopt;
            number.plainInteger = false;
        }
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            ++i;
            bool negativeExponent = false;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                negativeExponent = text[i++] == '-';
            const QByteArrayView exponentDigits = digits();
            if (exponentDigits.isEmpty())
                return std::nullopt;
            // Saturated: far past any exponent that could give a 64-bit integer.
            for (char c : exponentDigits)
                number.exponent = std::min<int64_t>(number.exponent * 10 + (c - '0'), 1'000'000);
            if (negativeExponent)
                number.exponent = -number.exponent;
            number.plainInteger = false;
        }
        if (i != text.size())
            return std::nullopt;
        return number;
    }

    // The value exactly, when it is a whole number of at most 19 digits.
    std::optional<uint64_t> magnitude() const {
        QByteArray digits = integerDigits.toByteArray();
        digits.append(fractionDigits);
        int64_t scale = exponent - fractionDigits.size();
        while (digits.size() > 1 && digits.startsWith('0'))
            digits.remove(0, 1);
        while (digits.size() > 1 && digits.endsWith('0') && scale < 0) {
            digits.chop(1);
            ++scale;
        }
        if (digits == "0")
            return 0;
        if (scale < 0 || digits.size() + scale > 19)
            return std::nullopt;
        digits.append(QByteArray(qsizetype(scale), '0'));
        uint64_t value = 0;
        std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
        return value;
    }
};

bool readsExactly(QByteArrayView text) {
    const std::optional<NumberText> number = NumberText::parse(text);
    if (!number)
        return true;
    if (number->plainInteger) {
        int64_t value = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc())
            return true;
    }
    double nearest = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nearest);
    // A double Qt keeps as a double is no integer; an integer field refuses it.
    if (error == std::errc() &&
        (std::trunc(nearest) != nearest || nearest < -twoToThe63 || nearest >= twoToThe63))
        return true;
    // Too large or too small for a double, or a whole double within 64 bits: it must be
    // exactly the number written.
    if (error != std::errc())
        return false;
    const std::optional<uint64_t> magnitude = number->magnitude();
    const uint64_t nearestMagnitude =
        nearest < 0 ? uint64_t(0) - uint64_t(int64_t(nearest)) : uint64_t(int64_t(nearest));
    return magnitude && *magnitude == nearestMagnitude;
}

} // namespace

std::optional<QByteArray> InexactJsonIntegers::first(QByteArrayView json) {
    qsizetype i = 0;
    while (i < json.size()) {
        const char c = json[i];
        if (c == '"') {
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\')
                    ++i;
            ++i;
        } else if (c == '-' || isDigit(c)) {
            const qsizetype start = i;
            while (i < json.size() && isNumberCharacter(json[i]))
                ++i;
            const QByteArrayView number = json.sliced(start, i - start);
            if (!readsExactly(number))
                return number.toByteArray();
        } else {
            ++i;
        }
    }
    return std::nullopt;
}

} // namespace quillmere
