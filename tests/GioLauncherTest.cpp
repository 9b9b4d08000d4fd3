#include "platform/GioLauncher.h"
#include "platform/PathCodec.h"
#include "support/TemporaryTree.h"

#include <QtTest>

using namespace quillmere;

// Opening a file with the desktop's default application or a chosen one. The test
// registers its own applications for plain text in the temporary XDG folders: scripts
// that write the argument they were given to a file.
class GioLauncherTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void initTestCase() {
        m_tree.makeFolder("data/applications");
        const auto registerOpener = [this](const QByteArray& id, const QByteArray& name,
                                           const QByteArray& output) {
            const QByteArray received = m_tree.bytes(output);
            m_tree.writeFile(id + ".sh",
                             "#!/bin/sh\nprintf '%s' \"$1\" > '" + received + ".part' && mv '" + received +
                                 ".part' '" + received + "'\n",
                             0755);
            m_tree.writeFile("data/applications/" + id + ".desktop",
                             "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=\"" +
                                 m_tree.bytes(id + ".sh") + "\" %u\nMimeType=text/plain;\n");
        };
        registerOpener("quillmere-test-opener", "Test opener", "received");
        registerOpener("quillmere-test-other", "Another opener", "received-other");
        // GIO learns which applications take a type from this index, as
        // update-desktop-database writes it.
        m_tree.writeFile(
            "data/applications/mimeinfo.cache",
            "[MIME Cache]\ntext/plain=quillmere-test-opener.desktop;quillmere-test-other.desktop;\n");
        m_tree.writeFile("config/mimeapps.list",
                         "[Default Applications]\ntext/plain=quillmere-test-opener.desktop\n");
    }

    void launchesTheDefaultApplicationWithTheFilesExactBytes() {
        // Bytes that are not UTF-8, a space and a newline: a URI built from a QString
        // conversion would name another file.
        const QByteArray name = "notes \xff\xfe\nend.txt";
        m_tree.writeFile("tree/" + name, "plain text\n");
        QVERIFY(GioLauncher::openWithDefaultApplication(PathCodec::decode(m_tree.bytes("tree/" + name)))
                    .launched());

        QTRY_VERIFY_WITH_TIMEOUT(m_tree.exists("received"), 20000);
        // GIO gives a local file to the application as a file URI or, depending on its
        // version, as a plain path; either must name exactly the same bytes.
        const QByteArray received = m_tree.readFile("received");
        const QByteArray named =
            received.startsWith("file://") ? QByteArray::fromPercentEncoding(received.mid(7)) : received;
        QCOMPARE(named, m_tree.bytes("tree/" + name));
    }

    // "Open as...": the default application first, then the others by name; the one chosen
    // gets the file.
    void opensWithTheChosenApplication() {
        m_tree.writeFile("tree/chosen.txt", "plain text\n");
        const QString path = PathCodec::decode(m_tree.bytes("tree/chosen.txt"));
        QStringList ids;
        for (const GioLauncher::Application& application : GioLauncher::applicationsFor(path))
            ids.append(application.id);
        QVERIFY2(ids.size() >= 2, qPrintable(ids.join(u' ')));
        QCOMPARE(ids.first(), QStringLiteral("quillmere-test-opener.desktop"));
        QVERIFY(ids.indexOf(QStringLiteral("quillmere-test-other.desktop")) > 0);
        QVERIFY(GioLauncher::openWith(path, QStringLiteral("quillmere-test-other.desktop")).launched());
        QTRY_VERIFY_WITH_TIMEOUT(m_tree.exists("received-other"), 20000);
    }

    // Each way an open fails is told apart: nothing registered for the file's kind, an
    // application the desktop does not know, a file that is not there. (A program that
    // fails after it started is not seen: GIO starts it through a launcher of its own.)
    void reportsWhyAFileDidNotOpen() {
        using Result = GioLauncher::Launch::Result;
        m_tree.writeFile("tree/data.quillmere-unknown", QByteArray("\x00\x01\x02\x03\xff", 5));
        QCOMPARE(GioLauncher::openWithDefaultApplication(
                     PathCodec::decode(m_tree.bytes("tree/data.quillmere-unknown")))
                     .result,
                 Result::noApplication);
        QVERIFY(GioLauncher::applicationsFor(PathCodec::decode(m_tree.bytes("tree/data.quillmere-unknown")))
                    .isEmpty());
        m_tree.writeFile("tree/text.txt", "text\n");
        const QString text = PathCodec::decode(m_tree.bytes("tree/text.txt"));
        QCOMPARE(GioLauncher::openWith(text, QStringLiteral("quillmere-test-missing.desktop")).result,
                 Result::noApplication);
        const GioLauncher::Launch missing =
            GioLauncher::openWithDefaultApplication(PathCodec::decode(m_tree.bytes("tree/missing.txt")));
        QCOMPARE(missing.result, Result::failed);
        QVERIFY(!missing.reason.isEmpty());
    }
};

QTEST_GUILESS_MAIN(GioLauncherTest)
#include "GioLauncherTest.moc"
