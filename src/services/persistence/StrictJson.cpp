#include "services/persistence/StrictJson.h"

#include "platform/PathCodec.h"
#include "services/persistence/JsonDecodeError.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// 2001-01-01 00:00:00 UTC in milliseconds since the Unix epoch.
constexpr qint64 referenceEpochMs = 978307200000;

[[noreturn]] void wrongType(QLatin1StringView key, const char* expected) {
    throw JsonDecodeError(QString(key) + u": expected "_s + QString::fromLatin1(expected));
}

} // namespace

QJsonObject StrictJson::object(const QJsonValue& value, const char* what) {
    if (!value.isObject())
        throw JsonDecodeError(QString::fromLatin1(what) + u": expected an object"_s);
    return value.toObject();
}

QJsonValue StrictJson::required(const QJsonObject& object, QLatin1StringView key) {
    const auto it = object.constFind(key);
    if (it == object.constEnd())
        throw JsonDecodeError(QString(key) + u": missing"_s);
    return *it;
}

QString StrictJson::string(const QJsonValue& value, QLatin1StringView key) {
    if (!value.isString())
        wrongType(key, "a string");
    return value.toString();
}

qint64 StrictJson::integer(const QJsonValue& value, QLatin1StringView key) {
    // Qt holds a whole number within 64 bits as an integer, which toInteger gives back
    // exactly; any other number falls back to the default, so two defaults tell.
    const qint64 whole = value.toInteger(0);
    if (!value.isDouble() || (whole == 0 && value.toInteger(1) != 0))
        wrongType(key, "an integer");
    return whole;
}

double StrictJson::number(const QJsonValue& value, QLatin1StringView key) {
    if (!value.isDouble())
        wrongType(key, "a number");
    return value.toDouble();
}

bool StrictJson::boolean(const QJsonValue& value, QLatin1StringView key) {
    if (!value.isBool())
        wrongType(key, "true or false");
    return value.toBool();
}

QJsonArray StrictJson::array(const QJsonValue& value, QLatin1StringView key) {
    if (!value.isArray())
        wrongType(key, "a list");
    return value.toArray();
}

QUuid StrictJson::uuid(const QJsonValue& value, QLatin1StringView key) {
    const QString text = string(value, key);
    const QUuid id = QUuid::fromString(text);
    if (text.size() != 36 || (id.isNull() && text != u"00000000-0000-0000-0000-000000000000"))
        wrongType(key, "a UUID");
    return id;
}

QByteArray StrictJson::base64(const QJsonValue& value, QLatin1StringView key) {
    const auto decoded = QByteArray::fromBase64Encoding(string(value, key).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        wrongType(key, "Base64 text");
    return *decoded;
}

QDateTime StrictJson::date(const QJsonValue& value, QLatin1StringView key) {
    const double seconds = number(value, key);
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e13) // far beyond any real date
        wrongType(key, "a date");
    return fromReferenceSeconds(seconds);
}

qint64 StrictJson::schemaVersion(const QJsonObject& object) {
    const auto it = object.constFind(QLatin1StringView("schemaVersion"));
    return it == object.constEnd() ? 1 : integer(*it, QLatin1StringView("schemaVersion"));
}

QString StrictJson::uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

double StrictJson::referenceSeconds(const QDateTime& date) {
    return double(date.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
}

QDateTime StrictJson::fromReferenceSeconds(double seconds) {
    return QDateTime::fromMSecsSinceEpoch(referenceEpochMs + qint64(std::llround(seconds * 1000.0)), Qt::UTC);
}

QString StrictJson::fileUrlText(const QString& path) {
    return u"file://"_s + QString::fromLatin1(PathCodec::encode(path).toPercentEncoding("/"));
}

QString StrictJson::pathFromFileUrlText(const QString& text, QLatin1StringView key) {
    static const QString scheme = u"file://"_s;
    if (!text.startsWith(scheme, Qt::CaseInsensitive))
        wrongType(key, "a file URL");
    // "localhost" names this machine as the empty authority does; any other host is remote.
    const qsizetype pathStart = text.indexOf(u'/', scheme.size());
    if (pathStart < 0)
        wrongType(key, "a file URL");
    const QStringView authority = QStringView(text).sliced(scheme.size(), pathStart - scheme.size());
    if (!authority.isEmpty() && authority.compare(u"localhost", Qt::CaseInsensitive) != 0)
        wrongType(key, "a file URL");
    return PathCodec::decode(QByteArray::fromPercentEncoding(text.sliced(pathStart).toUtf8()));
}

} // namespace quillmere
