#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "support/FaultInjectingCalls.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

const char* saveLoopArgument = "--save-loop";

QList<QByteArray> namesIn(const TemporaryTree& tree, const QByteArray& folder) {
    return TemporaryTree::namesIn(tree.bytes(folder));
}

Session sampleSession() {
    Session session;
    TabState first;
    first.id = QUuid::createUuid();
    first.currentPath = PathCodec::decode("/home/ann/caf\xE9\n-dir");
    first.history = {u"/home/ann"_s, first.currentPath};
    first.historyIndex = 1;
    first.selectedItem = PathCodec::decode("/home/ann/caf\xE9\n-dir/\xFF.txt");
    first.scrollOffset = 120.5;
    TabState second;
    second.id = QUuid::createUuid();
    second.currentPath = u"/tmp"_s;
    session.tabs = {first, second};
    session.activeTabIndex = 1;
    session.helpPanelVisible = false;
    return session;
}

// Keeps saving sessions numbered 0, 1, 2, ... until killed; used by the crash test.
int runSaveLoop(const QString& folder) {
    DefaultPersistenceService service(folder);
    Session session = sampleSession();
    for (qint64 i = 0;; ++i) {
        session.activeTabIndex = i;
        session.tabs[0].history.append(QString::number(i)); // the file grows and shrinks in size
        if (session.tabs[0].history.size() > 50)
            session.tabs[0].history.clear();
        await(service.saveSession(session));
    }
}

} // namespace

// The state files: one load rule, lossless round trips, and writes that never leave
// a damaged or half-written file behind.
class PersistenceTest : public QObject {
    Q_OBJECT

public:
    explicit PersistenceTest(QString mountRefusal)
        : m_mountRefusal(std::move(mountRefusal)) {}

private Q_SLOTS:
    void configurationFolderFollowsXdgConfigHome() {
        TemporaryTree tree;
        const QString fallback = tree.path("home") + u"/.config/quillmere"_s;
        QCOMPARE(DefaultPersistenceService::configurationFolder(u"/x/conf"_s), u"/x/conf/quillmere"_s);
        QCOMPARE(DefaultPersistenceService::configurationFolder(u""_s), fallback);
        QCOMPARE(DefaultPersistenceService::configurationFolder(std::nullopt), fallback);
        QCOMPARE(DefaultPersistenceService::configurationFolder(u"rel"_s),
                 QString(QDir::currentPath() + u"/rel/quillmere"));
    }

    void loadRule_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("movedAsideAs"); // empty: loads; "-": absent and left alone
        const QString s = DefaultPersistenceService::sessionFile;
        const QString a = DefaultPersistenceService::appSettingsFile;
        const QString f = DefaultPersistenceService::folderSettingsFile;
        const QString b = DefaultPersistenceService::bookmarkFile;
        QTest::newRow("empty object") << s << QByteArray("{}") << QString();
        QTest::newRow("list") << s << QByteArray("[]") << u"broken"_s;
        QTest::newRow("empty file") << f << QByteArray() << u"broken"_s;
        QTest::newRow("schema 0") << s << QByteArray("{\"schemaVersion\":0}") << QString();
        QTest::newRow("schema 2") << b << QByteArray("{\"schemaVersion\":2,\"bookmarks\":[]}")
                                  << u"unknown-version"_s;
        QTest::newRow("fractional integer") << s << QByteArray("{\"activeTabIndex\":1.5}") << u"broken"_s;
        QTest::newRow("whole integer with exponent")
            << s << QByteArray("{\"activeTabIndex\":2.5e1}") << QString();
        // Qt would read these as ...992 and as the smallest 64-bit integer.
        QTest::newRow("integer beyond a double's precision")
            << s << QByteArray("{\"activeTabIndex\":9007199254740993.0}") << u"broken"_s;
        QTest::newRow("integer below 64 bits")
            << s << QByteArray("{\"activeTabIndex\":-9223372036854775809}") << u"broken"_s;
        QTest::newRow("number inside a text")
            << s
            << QByteArray("{\"tabs\":[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\","
                          "\"currentPath\":\"/a\\\"-9223372036854775809\"}]}")
            << QString();
        QTest::newRow("integer above 64 bits")
            << s << QByteArray("{\"tabs\":[],\"activeTabIndex\":9223372036854775808}") << u"broken"_s;
        QTest::newRow("tab without path")
            << s << QByteArray("{\"tabs\":[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"}]}")
            << u"broken"_s;
        QTest::newRow("bad uuid") << s << QByteArray("{\"tabs\":[{\"id\":\"nope\",\"currentPath\":\"/\"}]}")
                                  << u"broken"_s;
        QTest::newRow("unknown sort key")
            << f << QByteArray("{\"folders\":{\"/a\":{\"sortKey\":\"colour\"}}}") << u"broken"_s;
        QTest::newRow("wrong type hidden")
            << f << QByteArray("{\"folders\":{\"/a\":{\"dotFilesVisible\":1}}}") << u"broken"_s;
        QTest::newRow("bookmark on another host")
            << b
            << QByteArray("{\"bookmarks\":[{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\","
                          "\"url\":\"file://example.com/tmp\",\"addedAt\":0}]}")
            << u"broken"_s;
        QTest::newRow("null is not absent")
            << a << QByteArray("{\"settings\":{\"language\":null}}") << u"broken"_s;
    }
    void loadRule() {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, movedAsideAs);
        TemporaryTree tree;
        tree.makeFolder("config/quillmere");
        tree.writeFile("config/quillmere/" + file.toUtf8(), contents);
        DefaultPersistenceService service(tree.path("config/quillmere"));
        bool loaded = false;
        if (file == DefaultPersistenceService::sessionFile)
            loaded = await(service.loadSession()).has_value();
        else if (file == DefaultPersistenceService::appSettingsFile)
            loaded = await(service.loadAppSettings()).has_value();
        else if (file == DefaultPersistenceService::folderSettingsFile)
            loaded = await(service.loadFolderSettings()).has_value();
        else
            loaded = await(service.loadBookmarks()).has_value();
        QCOMPARE(loaded, movedAsideAs.isEmpty());

        const QList<QByteArray> names = namesIn(tree, "config/quillmere");
        QCOMPARE(names.size(), 1);
        if (movedAsideAs.isEmpty()) {
            QCOMPARE(names.first(), file.toUtf8());
            return;
        }
        // NAME.SUFFIX-2025-03-04T05-06-07Z
        const QRegularExpression shape(QRegularExpression::escape(file + u'.' + movedAsideAs) +
                                       u"-\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\dZ$"_s);
        QVERIFY2(shape.match(QString::fromUtf8(names.first())).hasMatch(), names.first().constData());
        QCOMPARE(tree.readFile("config/quillmere/" + names.first()), contents);
    }

    void missingAndUnreadableFilesGiveNothingAndStayPut() {
        TemporaryTree tree;
        DefaultPersistenceService missing(tree.path("config/quillmere"));
        QVERIFY(!await(missing.loadSession()));
        QVERIFY(!await(missing.loadBookmarks()));

        tree.makeFolder("config/quillmere");
        tree.writeFile("config/quillmere/session.json", "{}");
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->failOn(Primitive::Open, 1, EACCES);
        DefaultPersistenceService unreadable(tree.path("config/quillmere"), calls);
        QVERIFY(!await(unreadable.loadSession()));
        QCOMPARE(namesIn(tree, "config/quillmere"), QList<QByteArray>{"session.json"});
    }

    void emptyRecordsLoadWithEveryDefault() {
        TemporaryTree tree;
        tree.makeFolder("config/quillmere");
        tree.writeFile("config/quillmere/app-settings.json", "{\"settings\":{\"markGlyph\":\"  \"}}");
        tree.writeFile(
            "config/quillmere/session.json",
            "{\"tabs\":[{\"id\":\"e621e1f8-c36c-495a-93fc-0c247a3e6e5f\",\"currentPath\":\"/a\"}]}");
        tree.writeFile("config/quillmere/folder-settings.json",
                       "{\"folders\":{\"/a\":{\"sortKey\":\"size\"}}}");
        DefaultPersistenceService service(tree.path("config/quillmere"));

        QCOMPARE(await(service.loadAppSettings()), std::optional(AppSettings()));
        Session session;
        session.tabs = {{QUuid(u"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"_s), u"/a"_s, {}, -1, std::nullopt, 0}};
        QCOMPARE(await(service.loadSession()), std::optional(session));
        FolderSettings size;
        size.sortKey = SortKey::size;
        QCOMPARE(await(service.loadFolderSettings()), std::optional(FolderSettingsMap{{u"/a"_s, size}}));
    }

    void bookmarkOnLocalhostIsTheLocalFolder() {
        TemporaryTree tree;
        tree.makeFolder("config/quillmere");
        tree.writeFile(
            "config/quillmere/bookmark.json",
            "{\"bookmarks\":["
            "{\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\",\"url\":\"file:///home\",\"addedAt\":0},"
            "{\"id\":\"1C0D5F0E-3A4B-4C5D-8E9F-A0B1C2D3E4F5\",\"url\":\"file://localhost/tmp\","
            "\"addedAt\":0},"
            "{\"id\":\"2C0D5F0E-3A4B-4C5D-8E9F-A0B1C2D3E4F5\",\"url\":\"FILE://LocalHost/caf%E9%20x\","
            "\"addedAt\":0}]}");
        DefaultPersistenceService service(tree.path("config/quillmere"));
        const std::optional<QList<Bookmark>> bookmarks = await(service.loadBookmarks());
        QVERIFY(bookmarks);
        QStringList urls;
        for (const Bookmark& bookmark : *bookmarks)
            urls.append(bookmark.url);
        QCOMPARE(urls, (QStringList{u"/home"_s, u"/tmp"_s, PathCodec::decode("/caf\xE9 x")}));
    }

    void everyRecordRoundTripsExactly() {
        TemporaryTree tree;
        DefaultPersistenceService service(tree.path("config/deep/quillmere"));
        Session session = sampleSession();
        session.activeTabIndex = std::numeric_limits<qint64>::max();
        session.tabs[0].historyIndex = std::numeric_limits<qint64>::min();
        session.tabs[1].historyIndex = (qint64(1) << 53) + 1; // the first a double cannot hold
        const QList<Bookmark> bookmarks{
            {QUuid::createUuid(), PathCodec::decode("/home/ann/caf\xE9 %20#?"),
             QDateTime::currentDateTimeUtc()},
            {QUuid::createUuid(), u"/"_s, QDateTime::fromMSecsSinceEpoch(978307200123, Qt::UTC)}};
        FolderSettings layout;
        layout.columnLayout = QByteArray("\x00\x01\xFF layout", 10);
        layout.sortKey = SortKey::dateModified;
        layout.sortDirection = SortDirection::descending;
        layout.dotFilesVisible = true;
        const FolderSettingsMap folders{{PathCodec::decode("/x/\xFE"), layout}, {u"/y"_s, FolderSettings()}};
        const AppSettings settings(u"★"_s, u"#3498DB"_s, TerminalApp::ghostty, TerminalOpenMode::newTab,
                                   AppLanguage::ja);

        await(service.saveSession(session));
        await(service.saveBookmarks(bookmarks));
        await(service.saveFolderSettings(folders));
        await(service.saveAppSettings(settings));
        // Integers are written as integers, exact to both ends of 64 bits.
        const QByteArray text = tree.readFile("config/deep/quillmere/session.json");
        QVERIFY2(text.contains(":9223372036854775807") && text.contains(":-9223372036854775808") &&
                     text.contains(":9007199254740993"),
                 text.constData());
        // The first save made the folder and its parents, private to the user.
        struct stat status;
        QCOMPARE(::stat(tree.bytes("config/deep").constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0700u);

        QCOMPARE(await(service.loadSession()), std::optional(session));
        QCOMPARE(await(service.loadBookmarks()), std::optional(bookmarks));
        QCOMPARE(await(service.loadFolderSettings()), std::optional(folders));
        QCOMPARE(await(service.loadAppSettings()), std::optional(settings));
    }

    void writesTheDocumentedJsonForm() {
        TemporaryTree tree;
        DefaultPersistenceService service(tree.path("config/quillmere"));
        Session session = sampleSession();
        session.tabs[0].selectedItem.reset();
        await(service.saveSession(session));
        await(service.saveAppSettings(AppSettings()));
        const QList<Bookmark> bookmarks{{QUuid(u"e621e1f8-c36c-495a-93fc-0c247a3e6e5f"_s), u"/a b"_s,
                                         QDateTime::fromMSecsSinceEpoch(978307201500, Qt::UTC)}};
        await(service.saveBookmarks(bookmarks));

        const QJsonObject tab = QJsonDocument::fromJson(tree.readFile("config/quillmere/session.json"))
                                    .object()[u"tabs"][0]
                                    .toObject();
        QVERIFY(!tab.contains(u"selectedItem"));
        QCOMPARE(tab[u"id"].toString(), session.tabs[0].id.toString(QUuid::WithoutBraces).toUpper());
        const QJsonObject app =
            QJsonDocument::fromJson(tree.readFile("config/quillmere/app-settings.json")).object();
        QCOMPARE(app[u"schemaVersion"].toInt(), 1);
        QCOMPARE(app[u"settings"].toObject().keys(),
                 (QStringList{u"markGlyph"_s, u"terminalApp"_s, u"terminalOpenMode"_s}));
        QCOMPARE(
            tree.readFile("config/quillmere/bookmark.json"),
            QByteArray("{\"bookmarks\":[{\"addedAt\":1.5,\"id\":\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\","
                       "\"url\":\"file:///a%20b\"}],\"schemaVersion\":1}"));
    }

    void failedWritesLeaveTheOldFileAndNoTemporaryFile_data() {
        QTest::addColumn<int>("primitive");
        QTest::addColumn<int>("error");
        QTest::newRow("write") << int(Primitive::Write) << EIO;
        QTest::newRow("fsync") << int(Primitive::Sync) << EIO;
        QTest::newRow("rename") << int(Primitive::Rename) << EACCES;
        QTest::newRow("create") << int(Primitive::Open) << EACCES;
    }
    void failedWritesLeaveTheOldFileAndNoTemporaryFile() {
        QFETCH(int, primitive);
        QFETCH(int, error);
        TemporaryTree tree;
        DefaultPersistenceService healthy(tree.path("config/quillmere"));
        await(healthy.saveSession(sampleSession()));
        const QByteArray before = tree.readFile("config/quillmere/session.json");

        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->failOn(Primitive(primitive), 1, error);
        DefaultPersistenceService failing(tree.path("config/quillmere"), calls);
        const auto failure = failureOf<PlatformError>(failing.saveSession(Session()));
        QVERIFY(failure && failure->code() == error);
        QCOMPARE(tree.readFile("config/quillmere/session.json"), before);
        QCOMPARE(namesIn(tree, "config/quillmere"), QList<QByteArray>{"session.json"});
    }

    // Saves run off the caller's thread, but in the order they were asked for: an older
    // save that is slow to write never lands over a newer one.
    void aSlowEarlierSaveNeverLandsOverALaterOne() {
        TemporaryTree tree;
        auto calls = std::make_shared<FaultInjectingCalls>();
        QSemaphore firstWriteMayGoOn;
        std::atomic<int> writes = 0;
        calls->setHook([&](Primitive primitive, const char*) {
            if (primitive == Primitive::Write && writes++ == 0)
                firstWriteMayGoOn.acquire();
            return 0;
        });
        DefaultPersistenceService service(tree.path("config/quillmere"), calls);
        Session older = sampleSession();
        older.activeTabIndex = 0;
        Session newer = sampleSession();
        newer.activeTabIndex = 1;
        QCoro::Task<> first = service.saveSession(older);
        QCoro::Task<> second = service.saveSession(newer);
        QTRY_COMPARE(writes.load(), 1);
        firstWriteMayGoOn.release();
        await(std::move(first));
        await(std::move(second));
        QCOMPARE(await(service.loadSession()), std::optional<Session>(newer));
    }

    // A real full disk, a tmpfs in the test's private mount namespace: the save fails
    // without touching the file it was to replace.
    void saveOntoFullDiskLeavesOldFileAndNoTemporaryFile() {
        if (!m_mountRefusal.isEmpty())
            QSKIP(qPrintable(m_mountRefusal));
        TemporaryTree tree;
        tree.makeFolder("config/quillmere");
        const ScopedMount disk = ScopedMount::tmpfs(tree.bytes("config/quillmere"), "size=128k");
        QVERIFY2(disk.isMounted(), qPrintable(disk.error()));
        DefaultPersistenceService service(tree.path("config/quillmere"));
        Session small;
        small.tabs.append({QUuid::createUuid(), u"/home"_s, {u"/home"_s}, 0, std::nullopt, 0});
        await(service.saveSession(small));
        const QByteArray before = tree.readFile("config/quillmere/session.json");

        Session large = small;
        for (int i = 0; i < 8000; ++i)
            large.tabs[0].history.append(u"/a/rather/long/folder/path/number/"_s + QString::number(i));
        const auto error = failureOf<PlatformError>(service.saveSession(large));
        QVERIFY(error && error->code() == ENOSPC);
        QCOMPARE(tree.readFile("config/quillmere/session.json"), before);
        QCOMPARE(namesIn(tree, "config/quillmere"), QList<QByteArray>{"session.json"});
    }

    void linkedConfigurationFileStaysALink() {
        TemporaryTree tree;
        tree.makeFolder("dotfiles");
        tree.makeFolder("config/quillmere");
        tree.writeFile("dotfiles/session.json", "{}");
        tree.makeSymlink("../../dotfiles/session.json", "config/quillmere/session.json");
        DefaultPersistenceService service(tree.path("config/quillmere"));
        await(service.saveSession(sampleSession()));
        struct stat status;
        QCOMPARE(::lstat(tree.bytes("config/quillmere/session.json").constData(), &status), 0);
        QVERIFY(S_ISLNK(status.st_mode));
        QVERIFY(tree.readFile("dotfiles/session.json").contains("tabs"));
        QCOMPARE(namesIn(tree, "dotfiles"), QList<QByteArray>{"session.json"});
    }

    void crashDuringSaveLeavesADecodableFile() {
        TemporaryTree tree;
        const QString folder = tree.path("config/quillmere");
        DefaultPersistenceService service(folder);
        for (int round = 0; round < 25; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(saveLoopArgument), folder});
            QVERIFY(child.waitForStarted());
            QTest::qWait(int(QRandomGenerator::global()->bounded(5, 60)));
            ::kill(pid_t(child.processId()), SIGKILL);
            child.waitForFinished();
            if (!tree.exists("config/quillmere/session.json"))
                continue; // killed before its first save finished
            const std::optional<Session> loaded = await(service.loadSession());
            QVERIFY2(loaded && loaded->tabs.size() == 2, "a killed save left a file that does not decode");
        }
    }

    void migrationCopiesOnlyWhatIsMissing() {
        TemporaryTree tree;
        tree.makeFolder("legacy");
        tree.writeFile("legacy/session.json", "legacy session");
        tree.writeFile("legacy/bookmark.json", "legacy bookmarks");
        tree.writeFile("legacy/app-settings.json", "legacy settings");
        tree.makeFolder("config/quillmere");
        tree.writeFile("config/quillmere/app-settings.json", "current settings");
        DefaultPersistenceService service(tree.path("config/quillmere"));
        await(service.migrateLegacyFiles(tree.path("legacy")));
        QCOMPARE(tree.readFile("config/quillmere/session.json"), QByteArray("legacy session"));
        QCOMPARE(tree.readFile("config/quillmere/app-settings.json"), QByteArray("current settings"));
        QVERIFY(!tree.exists("config/quillmere/bookmark.json"));
        QVERIFY(!tree.exists("config/quillmere/folder-settings.json"));
        QCOMPARE(namesIn(tree, "legacy").size(), 3);
        // Without a legacy folder argument the data folder's "Quillmere" is used; none here.
        await(service.migrateLegacyFiles());
    }

private:
    QString m_mountRefusal;
};

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], saveLoopArgument) == 0) {
        QCoreApplication app(argc, argv);
        return runSaveLoop(QString::fromLocal8Bit(argv[2]));
    }
    // Only the full-disk case needs the namespace; without one it alone is skipped.
    const QString mountRefusal = PrivateMountNamespace::enter(argv);
    QCoreApplication app(argc, argv);
    PersistenceTest test(mountRefusal);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "PersistenceTest.moc"
