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
namespace StrictJson {

QJsonObject object(const QJsonValue& value, const char* what);

QJsonValue required(const QJsonObject& object, QLatin1StringView key);
QString string(const QJsonValue& value, QLatin1StringView key);
qint64 integer(const QJsonValue& value, QLatin1StringView key);
double number(const QJsonValue& value, QLatin1StringView key);
bool boolean(const QJsonValue& value, QLatin1StringView key);
QJsonArray array(const QJsonValue& value, QLatin1StringView key);
QUuid uuid(const QJsonValue& value, QLatin1StringView key);
QByteArray base64(const QJsonValue& value, QLatin1StringView key);
QDateTime date(const QJsonValue& value, QLatin1StringView key);

// The schema version of a top-level record; 1 when the key is missing.
qint64 schemaVersion(const QJsonObject& object);

QString uuidText(const QUuid& id);
// Seconds since 2001-01-01 00:00:00 UTC, with fraction.
double referenceSeconds(const QDateTime& date);
QDateTime fromReferenceSeconds(double seconds);
// "file://" followed by the path's bytes percent-encoded, so any name round-trips.
QString fileUrlText(const QString& path);
// Reads that form back; "file://localhost/..." is taken as the same local file.
QString pathFromFileUrlText(const QString& text, QLatin1StringView key);

} // namespace StrictJson

} // namespace quillmere
