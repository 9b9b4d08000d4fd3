#include "models/rename/RunningNumber.h"

#include <QtNumeric>

namespace quillmere {

QString RunningNumber::text(qint64 start, qint64 position, qsizetype width) {
    Q_ASSERT(position >= 0);
    bool negative = false;
    quint64 magnitude = 0;
    qint64 sum = 0;
    if (!qAddOverflow(start, position, &sum)) {
        negative = sum < 0;
        magnitude = negative ? 0 - quint64(sum) : quint64(sum);
    } else {
        // Only a positive start can overflow, and two values below 2^63 sum below 2^64.
        magnitude = quint64(start) + quint64(position);
    }
    const QString digits = QString::number(magnitude);
    const qsizetype used = digits.size() + (negative ? 1 : 0);
    // Compared before subtracting: width may be anything down to the smallest qsizetype.
    const qsizetype zeros = width > used ? width - used : 0;
    QString out;
    out.reserve(used + zeros);
    if (negative)
        out += u'-';
    out += QString(zeros, u'0');
    out += digits;
    return out;
}

} // namespace quillmere
