#include "services/persistence/DefaultPersistenceService.h"

#include "models/paths/FilePath.h"
#include "platform/FilePrimitives.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/filesystem/BackgroundWork.h"
#include "services/persistence/AppSettingsJson.h"
#include "services/persistence/BookmarkJson.h"
#include "services/persistence/InexactJsonIntegers.h"
#include "services/persistence/JsonDecodeError.h"
#include "services/persistence/SessionJson.h"
#include "services/persistence/StrictJson.h"

#include <QCoroFuture>
#include <QDateTime>
#include <QDir>
#include <QJsonDocument>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

using Key = QLatin1StringView;

QJsonObject envelope(Key key, const QJsonValue& value) {
    QJsonObject object;
    object.insert(Key("schemaVersion"), Session::currentSchemaVersion);
    object.insert(key, value);
    return object;
}

} // namespace

DefaultPersistenceService::DefaultPersistenceService(QString baseFolder, std::shared_ptr<SystemCalls> calls)
    : m_baseFolder(std::move(baseFolder))
    , m_primitives(std::make_shared<FilePrimitives>(calls ? std::move(calls) : SystemCalls::real()))
    , m_files(std::make_unique<QThreadPool>()) {
    m_files->setMaxThreadCount(1);
}

DefaultPersistenceService::~DefaultPersistenceService() {
    m_files->waitForDone();
}

QString DefaultPersistenceService::configurationFolder(const std::optional<QString>& xdgConfigHome) {
    QString base;
    if (xdgConfigHome && !xdgConfigHome->isEmpty())
        base = QDir::isAbsolutePath(*xdgConfigHome) ? *xdgConfigHome
                                                    : QDir::currentPath() + u'/' + *xdgConfigHome;
    else
        base = FilePath::appending(HomeFolder::path(), u".config");
    return FilePath::standardised(FilePath::appending(base, u"quillmere"));
}

std::optional<QString> DefaultPersistenceService::environmentConfigHome() {
    if (!qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        return std::nullopt;
    return PathCodec::decode(qgetenv("XDG_CONFIG_HOME"));
}

QString DefaultPersistenceService::fileAt(const QString& name) const {
    return FilePath::appending(m_baseFolder, name);
}

void DefaultPersistenceService::ensureBaseFolder() const {
    m_primitives->creator.createFolderWithParents(m_baseFolder, 0700);
}

void DefaultPersistenceService::writeAtomically(const QByteArray& data, const QString& file) const {
    m_primitives->writer.write(file, data);
}

void DefaultPersistenceService::moveAside(const QString& file, const QString& suffix) const {
    const QString time =
        QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-ddTHH:mm:ss"_s).replace(u':', u'-') + u'Z';
    m_primitives->mover.rename(file, file + u'.' + suffix + u'-' + time);
}

template <typename T>
std::optional<T> DefaultPersistenceService::load(const QString& name,
                                                 const std::function<T(const QJsonObject&)>& decode) const {
    const QString file = fileAt(name);
    const std::optional<QByteArray> data = m_primitives->fileReader.read(file);
    if (!data)
        return std::nullopt;
    auto setAside = [&](const QString& suffix) {
        try {
            moveAside(file, suffix);
        } catch (const PlatformError&) {
            // The result is absent all the same; the next save writes a fresh file.
        }
    };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*data, &parseError);
    std::optional<T> value;
    qint64 version = 1;
    try {
        if (parseError.error != QJsonParseError::NoError)
            throw JsonDecodeError(parseError.errorString());
        if (!document.isObject())
            throw JsonDecodeError(u"the file does not hold an object"_s);
        if (const std::optional<QByteArray> number = InexactJsonIntegers::first(*data))
            throw JsonDecodeError(u"a number that cannot be read exactly: "_s + QString::fromLatin1(*number));
        const QJsonObject object = document.object();
        version = StrictJson::schemaVersion(object);
        value = decode(object);
    } catch (const JsonDecodeError&) {
        setAside(u"broken"_s);
        return std::nullopt;
    }
    if (version > Session::currentSchemaVersion) {
        setAside(u"unknown-version"_s);
        return std::nullopt;
    }
    return value;
}

void DefaultPersistenceService::save(const QString& name, const QJsonObject& record) const {
    ensureBaseFolder();
    writeAtomically(QJsonDocument(record).toJson(QJsonDocument::Compact), fileAt(name));
}

QCoro::Task<std::optional<AppSettings>> DefaultPersistenceService::loadAppSettings() {
    auto work = BackgroundWork::start(m_files.get(), [this] {
        return load<AppSettings>(appSettingsFile, [](const QJsonObject& object) {
            return object.contains(Key("settings")) ? AppSettingsJson::decode(object.value(Key("settings")))
                                                    : AppSettings();
        });
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<std::optional<QList<Bookmark>>> DefaultPersistenceService::loadBookmarks() {
    auto work = BackgroundWork::start(m_files.get(), [this] {
        return load<QList<Bookmark>>(bookmarkFile, [](const QJsonObject& object) {
            return object.contains(Key("bookmarks"))
                       ? BookmarkJson::decodeList(object.value(Key("bookmarks")))
                       : QList<Bookmark>();
        });
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<std::optional<FolderSettingsMap>> DefaultPersistenceService::loadFolderSettings() {
    auto work = BackgroundWork::start(m_files.get(), [this] {
        return load<FolderSettingsMap>(folderSettingsFile, [](const QJsonObject& object) {
            return object.contains(Key("folders"))
                       ? FolderSettingsJson::decodeMap(object.value(Key("folders")))
                       : FolderSettingsMap();
        });
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<std::optional<Session>> DefaultPersistenceService::loadSession() {
    auto work = BackgroundWork::start(m_files.get(), [this] {
        return load<Session>(sessionFile,
                             [](const QJsonObject& object) { return SessionJson::decode(object); });
    });
    co_return BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultPersistenceService::saveInOrder(QString name, QJsonObject record) {
    auto work = BackgroundWork::start(m_files.get(), [this, name, record] { save(name, record); });
    BackgroundWork::result(co_await work);
}

QCoro::Task<> DefaultPersistenceService::saveAppSettings(AppSettings settings) {
    co_await saveInOrder(appSettingsFile, envelope(Key("settings"), AppSettingsJson::encode(settings)));
}

QCoro::Task<> DefaultPersistenceService::saveBookmarks(QList<Bookmark> bookmarks) {
    co_await saveInOrder(bookmarkFile, envelope(Key("bookmarks"), BookmarkJson::encodeList(bookmarks)));
}

QCoro::Task<> DefaultPersistenceService::saveFolderSettings(FolderSettingsMap folders) {
    co_await saveInOrder(folderSettingsFile,
                         envelope(Key("folders"), FolderSettingsJson::encodeMap(folders)));
}

QCoro::Task<> DefaultPersistenceService::saveSession(Session session) {
    co_await saveInOrder(sessionFile, SessionJson::encode(session));
}

QCoro::Task<> DefaultPersistenceService::migrateLegacyFiles(std::optional<QString> legacyFolder) {
    if (!legacyFolder) {
        const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        if (locations.isEmpty())
            co_return;
        legacyFolder = FilePath::appending(locations.first(), u"Quillmere");
    }
    auto work = BackgroundWork::start(m_files.get(), [this, legacy = *legacyFolder] { copyMissing(legacy); });
    BackgroundWork::result(co_await work);
}

void DefaultPersistenceService::copyMissing(const QString& legacyFolder) const {
    for (const QString& name : {sessionFile, folderSettingsFile, appSettingsFile}) {
        const QString source = FilePath::appending(legacyFolder, name);
        const QString destination = fileAt(name);
        if (!m_primitives->fileReader.exists(source) || m_primitives->fileReader.exists(destination))
            continue;
        try {
            ensureBaseFolder();
        } catch (const PlatformError&) {
        }
        try {
            m_primitives->copier.copy(source, destination);
        } catch (const PlatformError&) {
            // Each file is migrated on its own; a failure leaves the defaults for that one.
        }
    }
}

} // namespace quillmere
