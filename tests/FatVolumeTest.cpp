#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/ErrorText.h"
#include "support/FaultInjectingCalls.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

// A real FAT volume, served by fusefat from an image file: names compare without
// regard to case, and the FUSE driver does not know RENAME_NOREPLACE, so the kernel
// answers EINVAL wherever the target name is free.
class FatVolumeTest : public QObject {
    Q_OBJECT

public:
    explicit FatVolumeTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private Q_SLOTS:
    void initTestCase() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(m_refusal));
        if (::access("/dev/fuse", R_OK | W_OK) != 0)
            QSKIP("/dev/fuse is not available, so no FUSE volume can be mounted");
        const QStringList systemFolders = {u"/usr/sbin"_s, u"/sbin"_s};
        const QString driver = QStandardPaths::findExecutable(u"fusefat"_s);
        QString format = QStandardPaths::findExecutable(u"mkfs.vfat"_s);
        if (format.isEmpty())
            format = QStandardPaths::findExecutable(u"mkfs.vfat"_s, systemFolders);
        if (driver.isEmpty() || format.isEmpty())
            QSKIP("fusefat or mkfs.vfat (packages fusefat, dosfstools) is not installed");

        m_tree.emplace();
        const QString image = m_tree->path("fat.img");
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(16 << 20));
        file.close();
        QProcess formatting;
        formatting.setProcessChannelMode(QProcess::MergedChannels);
        formatting.start(format, {u"-n"_s, u"QUILLMERE"_s, image});
        QVERIFY2(formatting.waitForFinished() && formatting.exitCode() == 0,
                 formatting.readAll().constData());
        m_tree->makeFolder("volume");
        m_volume = ScopedMount::fuse(m_tree->bytes("volume"), driver,
                                     {u"-f"_s, u"-o"_s, u"rw+"_s, image, m_tree->path("volume")});
        if (!m_volume.isMounted())
            QSKIP(qPrintable(u"the FAT image could not be mounted: "_s + m_volume.error()));
    }

    void cleanupTestCase() {
        m_volume = ScopedMount();
        m_tree.reset();
    }

    // Each test works in a folder of its own on the volume.
    void init() {
        m_folder =
            QByteArray("volume/") + QTest::currentTestFunction() + '-' + QByteArray::number(++m_folders);
        m_tree->makeFolder(m_folder);
    }

    void renameOntoANameTakenInAnotherCaseCollides() {
        m_tree->writeFile(m_folder + "/b.txt", "bee");
        m_tree->writeFile(m_folder + "/c.txt", "sea");
        DefaultFileSystemService service;
        const auto error =
            failureOf<RenameError>(service.renameItem(m_tree->path(m_folder + "/c.txt"), u"B.txt"_s));
        QCOMPARE(error, std::optional(RenameError::collision()));
        QCOMPARE(m_tree->readFile(m_folder + "/b.txt"), QByteArray("bee"));
        QCOMPARE(m_tree->readFile(m_folder + "/c.txt"), QByteArray("sea"));
    }

    void caseOnlyRenameGoesThroughATemporaryName() {
        m_tree->writeFile(m_folder + "/notes.txt", "minutes");
        const auto calls = std::make_shared<FaultInjectingCalls>();
        DefaultFileSystemService service(calls);
        const QString renamed =
            await(service.renameItem(m_tree->path(m_folder + "/notes.txt"), u"Notes.txt"_s));
        QCOMPARE(renamed, m_tree->path(m_folder + "/Notes.txt"));
        QCOMPARE(namesIn(m_folder), QList<QByteArray>{"Notes.txt"});
        QCOMPARE(m_tree->readFile(m_folder + "/Notes.txt"), QByteArray("minutes"));
        const QRegularExpression temporary(u"/Notes\\.txt\\.[0-9A-F-]{36}\\.tmp$"_s);
        bool wentThroughTemporary = false;
        for (const QByteArray& from : calls->renamedPaths())
            wentThroughTemporary =
                wentThroughTemporary || temporary.match(QString::fromUtf8(from)).hasMatch();
        QVERIFY(wentThroughTemporary);

        // Its own present name is taken by the item itself.
        const auto error = failureOf<RenameError>(service.renameItem(renamed, u"Notes.txt"_s));
        QCOMPARE(error, std::optional(RenameError::collision()));
    }

    // RENAME_NOREPLACE is refused here; the fallback must still never replace, also
    // when the kernel did not see the name taken (EINVAL injected for the first call).
    void moveAndCopyNeverReplaceAnExistingItem_data() {
        QTest::addColumn<bool>("kernelRefusesFlag");
        QTest::newRow("as the kernel answers") << false;
        QTest::newRow("flag refused with the name taken") << true;
    }
    void moveAndCopyNeverReplaceAnExistingItem() {
        QFETCH(bool, kernelRefusesFlag);
        m_tree->writeFile(m_folder + "/a.txt", "alpha");
        m_tree->writeFile(m_folder + "/b.txt", "beta");
        m_tree->makeFolder(m_folder + "/one");
        m_tree->writeFile(m_folder + "/one/x.txt", "x");
        m_tree->makeFolder(m_folder + "/two");
        m_tree->writeFile("tree/A.TXT", "from the disk");
        const TreeSnapshot before = TreeSnapshot::of(m_tree->bytes(m_folder));
        const QString exists = PlatformError::describe(EEXIST);

        const auto attempt = [&](const QByteArray& from, const QByteArray& to, bool copy) {
            const auto calls = std::make_shared<FaultInjectingCalls>();
            if (kernelRefusesFlag)
                calls->failOn(Primitive::Rename, 1, EINVAL);
            DefaultFileSystemService service(calls);
            const QList<TransferOperation> operations = {{m_tree->path(from), m_tree->path(to)}};
            if (copy)
                return failureOf<TransferError>(service.copyItems(operations));
            return failureOf<TransferError>(service.moveItems(operations));
        };
        const QByteArray folder = m_folder + '/';
        auto error = attempt(folder + "a.txt", folder + "b.txt", false);
        QCOMPARE(error, std::optional(TransferError::failed(u"a.txt"_s, exists)));
        error = attempt(folder + "a.txt", folder + "B.TXT", false);
        QCOMPARE(error, std::optional(TransferError::failed(u"a.txt"_s, exists)));
        error = attempt(folder + "one", folder + "TWO", false);
        QCOMPARE(error, std::optional(TransferError::failed(u"one"_s, exists)));
        // Names that differ in case are no conflict to the planner, but are one to the volume.
        error = attempt("tree/A.TXT", folder + "A.TXT", true);
        QCOMPARE(error, std::optional(TransferError::failed(u"A.TXT"_s, exists)));

        QCOMPARE(before.changesIn(m_tree->bytes(m_folder)), QString());
    }

    // Files only: fusefat itself loses the contents of a folder it renames.
    void moveToAFreeNameWorksWithoutTheFlag() {
        m_tree->writeFile(m_folder + "/a.txt", "alpha");
        m_tree->makeFolder(m_folder + "/sub");
        const QByteArray probe = m_tree->bytes(m_folder + "/probe");
        m_tree->writeFile(m_folder + "/probe", {});
        if (::renameat2(AT_FDCWD, probe.constData(), AT_FDCWD, QByteArray(probe + "-moved").constData(),
                        RENAME_NOREPLACE) == 0 ||
            errno != EINVAL)
            QSKIP("this fusefat accepts RENAME_NOREPLACE, so the fallback is not what runs here");
        QVERIFY(::unlink(probe.constData()) == 0);

        DefaultFileSystemService service;
        const QByteArray folder = m_folder + '/';
        await(service.moveItems({{m_tree->path(folder + "a.txt"), m_tree->path(folder + "sub/a.txt")}}));
        QCOMPARE(namesIn(m_folder), QList<QByteArray>{"sub"});
        QCOMPARE(m_tree->readFile(folder + "sub/a.txt"), QByteArray("alpha"));
        const QString renamed = await(service.renameItem(m_tree->path(folder + "sub/a.txt"), u"b.txt"_s));
        QCOMPARE(renamed, m_tree->path(folder + "sub/b.txt"));
        QCOMPARE(namesIn(folder + "sub"), QList<QByteArray>{"b.txt"});
    }

private:
    QList<QByteArray> namesIn(const QByteArray& folder) const {
        return TemporaryTree::namesIn(m_tree->bytes(folder));
    }

    QString m_refusal;
    std::optional<TemporaryTree> m_tree;
    ScopedMount m_volume; // after the tree, so it is unmounted before the tree goes
    QByteArray m_folder;
    int m_folders = 0;
};

QUILLMERE_PRIVATE_MOUNTS_MAIN(FatVolumeTest)
#include "FatVolumeTest.moc"
