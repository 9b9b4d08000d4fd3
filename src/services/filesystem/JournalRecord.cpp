#include "services/filesystem/JournalRecord.h"

#include "platform/PathCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

constexpr int version = 1;

// Paths travel as percent-encoded bytes, so that names that are not UTF-8 come back
// byte for byte.
QString pathText(const QString& path) {
    return QString::fromLatin1(PathCodec::encode(path).toPercentEncoding("/"));
}
QString pathFrom(const QJsonValue& value) {
    return PathCodec::decode(QByteArray::fromPercentEncoding(value.toString().toLatin1()));
}

QString kindText(JournalRecord::Kind kind) {
    switch (kind) {
    case JournalRecord::Kind::trash: return u"trash"_s;
    case JournalRecord::Kind::move: return u"move"_s;
    case JournalRecord::Kind::copy: return u"copy"_s;
    case JournalRecord::Kind::batchRename: return u"batchRename"_s;
    case JournalRecord::Kind::restore: return u"restore"_s;
    }
    return {};
}

std::optional<JournalRecord::Kind> kindFrom(const QString& text) {
    for (const auto kind : {JournalRecord::Kind::trash, JournalRecord::Kind::move, JournalRecord::Kind::copy,
                            JournalRecord::Kind::batchRename, JournalRecord::Kind::restore})
        if (kindText(kind) == text)
            return kind;
    return std::nullopt;
}

QJsonArray identityJson(const FileIdentity& identity) {
    return {QString::number(identity.device), QString::number(identity.inode)};
}
FileIdentity identityFrom(const QJsonValue& value) {
    const QJsonArray pair = value.toArray();
    return {dev_t(pair.at(0).toString().toULongLong()), ino_t(pair.at(1).toString().toULongLong())};
}

QJsonObject recordJson(const FreedesktopTrash::Record& record) {
    return {{u"contents"_s, QString::fromLatin1(record.contents.toPercentEncoding())},
            {u"mode"_s, int(record.mode)},
            {u"time"_s, QJsonArray{QString::number(record.seconds), QString::number(record.nanoseconds)}}};
}
FreedesktopTrash::Record recordFrom(const QJsonObject& object) {
    const QJsonArray time = object.value(u"time"_s).toArray();
    return {QByteArray::fromPercentEncoding(object.value(u"contents"_s).toString().toLatin1()),
            unsigned(object.value(u"mode"_s).toInt(0600)), time.at(0).toString().toLongLong(),
            time.at(1).toString().toLongLong()};
}

// A folder is noted before it is made and again, with its identity, once it is.
void noteMadeFolder(QList<FreedesktopTrash::MadeFolder>& folders,
                    const FreedesktopTrash::MadeFolder& folder) {
    for (FreedesktopTrash::MadeFolder& known : folders)
        if (known.path == folder.path) {
            known.identity = folder.identity;
            return;
        }
    folders.append(folder);
}

QByteArray line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

QByteArray JournalRecord::planLine() const {
    QJsonArray planned;
    for (qsizetype index = 0; index < items.size(); ++index) {
        const Item& item = items[index];
        QJsonObject entry{{u"source"_s, pathText(item.source)}, {u"identity"_s, identityJson(item.identity)}};
        if (!item.destination.isEmpty())
            entry.insert(u"destination"_s, pathText(item.destination));
        if (!item.temporary.isEmpty())
            entry.insert(u"temporary"_s, pathText(item.temporary));
        if (!item.returnTemporary.isEmpty())
            entry.insert(u"returnTemporary"_s, pathText(item.returnTemporary));
        if (item.overwrite)
            entry.insert(u"overwrite"_s, true);
        if (const auto record = trashRecords.constFind(int(index)); record != trashRecords.constEnd())
            entry.insert(u"record"_s, recordJson(*record));
        planned.append(entry);
    }
    return line({{u"version"_s, version}, {u"operation"_s, kindText(kind)}, {u"items"_s, planned}});
}

QByteArray JournalRecord::trashedLine(int item, const QString& path) {
    return line({{u"event"_s, u"trashed"_s}, {u"item"_s, item}, {u"path"_s, pathText(path)}});
}
QByteArray JournalRecord::copiedLine(int item, const FileIdentity& copy) {
    return line({{u"event"_s, u"copied"_s}, {u"item"_s, item}, {u"identity"_s, identityJson(copy)}});
}
QByteArray JournalRecord::returnedLine(int item, const FileIdentity& copy) {
    return line({{u"event"_s, u"returned"_s}, {u"item"_s, item}, {u"identity"_s, identityJson(copy)}});
}
QByteArray JournalRecord::madeFolderLine(int item, const FreedesktopTrash::MadeFolder& folder) {
    return line({{u"event"_s, u"madeFolder"_s},
                 {u"item"_s, item},
                 {u"path"_s, pathText(folder.path)},
                 {u"identity"_s, identityJson(folder.identity)}});
}
QByteArray JournalRecord::secondPhaseLine() {
    return line({{u"event"_s, u"secondPhase"_s}});
}
QByteArray JournalRecord::rollingBackLine() {
    return line({{u"event"_s, u"rollingBack"_s}});
}
QByteArray JournalRecord::progressLine(int done) {
    return line({{u"event"_s, u"progress"_s}, {u"done"_s, done}});
}

std::optional<JournalRecord> JournalRecord::parse(const QByteArray& contents) {
    const QList<QByteArray> lines = contents.split('\n');
    const QJsonObject plan = QJsonDocument::fromJson(lines.value(0)).object();
    const std::optional<Kind> kind = kindFrom(plan.value(u"operation"_s).toString());
    if (plan.value(u"version"_s).toInt() != version || !kind)
        return std::nullopt;
    JournalRecord record;
    record.kind = *kind;
    for (const QJsonValue& value : plan.value(u"items"_s).toArray()) {
        const QJsonObject entry = value.toObject();
        record.items.append(
            {pathFrom(entry.value(u"source"_s)),
             entry.contains(u"destination"_s) ? pathFrom(entry.value(u"destination"_s)) : QString(),
             entry.contains(u"temporary"_s) ? pathFrom(entry.value(u"temporary"_s)) : QString(),
             entry.contains(u"returnTemporary"_s) ? pathFrom(entry.value(u"returnTemporary"_s)) : QString(),
             identityFrom(entry.value(u"identity"_s)), entry.value(u"overwrite"_s).toBool()});
        if (record.items.last().source.isEmpty())
            return std::nullopt;
        if (entry.contains(u"record"_s))
            record.trashRecords.insert(int(record.items.size() - 1),
                                       recordFrom(entry.value(u"record"_s).toObject()));
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QJsonParseError error;
        const QJsonObject event = QJsonDocument::fromJson(lines[i], &error).object();
        if (error.error != QJsonParseError::NoError)
            continue; // the last line, cut short by the crash
        const QString name = event.value(u"event"_s).toString();
        const int item = event.value(u"item"_s).toInt(-1);
        const bool known = item >= 0 && item < record.items.size();
        if (name == u"trashed" && known)
            record.trashed.insert(item, pathFrom(event.value(u"path"_s)));
        else if (name == u"copied" && known)
            record.copied.insert(item, identityFrom(event.value(u"identity"_s)));
        else if (name == u"returned" && known)
            record.returned.insert(item, identityFrom(event.value(u"identity"_s)));
        else if (name == u"madeFolder" && known)
            noteMadeFolder(record.madeFolders[item],
                           {pathFrom(event.value(u"path"_s)), identityFrom(event.value(u"identity"_s))});
        else if (name == u"secondPhase")
            record.secondPhase = true;
        else if (name == u"rollingBack")
            record.rollingBack = true;
        else if (name == u"progress")
            record.done = event.value(u"done"_s).toInt();
    }
    return record;
}

} // namespace quillmere
