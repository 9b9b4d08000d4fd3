#include "platform/PlatformError.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QtTest>

#include <dirent.h>

using namespace quillmere;
using namespace quillmere::test;

// A save onto a full disk fails without touching the file it was to replace.
class PersistenceDiskFullTest : public QObject {
    Q_OBJECT

public:
    explicit PersistenceDiskFullTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private Q_SLOTS:
    void initTestCase() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(m_refusal));
    }

    void saveOntoFullDiskLeavesOldFileAndNoTemporaryFile() {
        TemporaryTree tree;
        tree.makeFolder("config/quillmere");
        const ScopedMount disk = ScopedMount::tmpfs(tree.bytes("config/quillmere"), "size=128k");
        QVERIFY2(disk.isMounted(), qPrintable(disk.error()));
        DefaultPersistenceService service(tree.path("config/quillmere"));

        Session small;
        small.tabs.append({QUuid::createUuid(), u"/home"_qs, {u"/home"_qs}, 0, std::nullopt, 0});
        await(service.saveSession(small));
        const QByteArray before = tree.readFile("config/quillmere/session.json");

        Session large = small;
        for (int i = 0; i < 8000; ++i)
            large.tabs[0].history.append(u"/a/rather/long/folder/path/number/"_qs + QString::number(i));
        const auto error = failureOf<PlatformError>(service.saveSession(large));
        QVERIFY(error);
        QCOMPARE(error->code(), ENOSPC);
        QCOMPARE(tree.readFile("config/quillmere/session.json"), before);
        QCOMPARE(await(service.loadSession()), std::optional(small));

        int entries = 0;
        if (DIR* d = opendir(tree.bytes("config/quillmere").constData())) {
            while (dirent* e = readdir(d))
                entries += e->d_name[0] != '.' || (e->d_name[1] != '\0' && e->d_name[1] != '.');
            closedir(d);
        }
        QCOMPARE(entries, 1);
    }

private:
    QString m_refusal;
};

QUILLMERE_PRIVATE_MOUNTS_MAIN(PersistenceDiskFullTest)
#include "PersistenceDiskFullTest.moc"
