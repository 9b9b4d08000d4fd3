#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QUuid>

#include <optional>

namespace quillmere {

// Strict readers and the shared writers for the stored records. A missing key gives
// the caller's default; a key that is present with a value of the wrong type throws
// JsonDecodeError, so that a damaged file is never half understood.
class StrictJson final {
public:
    static QJsonObject object(const QJsonValue& value, const char* what);

    static QJsonValue required(const QJsonObject& object, QLatin1StringView key);
    static QString string(const QJsonValue& value, QLatin1StringView key);
    static qint64 integer(const QJsonValue& value, QLatin1StringView key);
    static double number(const QJsonValue& value, QLatin1StringView key);
    static bool boolean(const QJsonValue& value, QLatin1StringView key);
    static QJsonArray array(const QJsonValue& value, QLatin1StringView key);
    static QUuid uuid(const QJsonValue& value, QLatin1StringView key);
    static QByteArray base64(const QJsonValue& value, QLatin1StringView key);
    static QDateTime date(const QJsonValue& value, QLatin1StringView key);

    // The schema version of a top-level record; 1 when the key is missing.
    static qint64 schemaVersion(const QJsonObject& object);

    static QString uuidText(const QUuid& id);
    // Seconds since 2001-01-01 00:00:00 UTC, with fraction.
    static double referenceSeconds(const QDateTime& date);
    static QDateTime fromReferenceSeconds(double seconds);
    // "file://" followed by the path's bytes percent-encoded, so any name round-trips.
    static QString fileUrlText(const QString& path);
    // Reads that form back; "file://localhost/..." is taken as the same local file.
    static QString pathFromFileUrlText(const QString& text, QLatin1StringView key);
};

} // namespace quillmere
