#include "platform/GioLauncher.h"
#include "platform/PathCodec.h"
#include "support/TemporaryTree.h"

#include <QtTest>

using namespace quillmere;

// Opening a file with the desktop's default application. The test registers its own
// application for plain text in the temporary XDG folders: a script that writes the
// argument it was given to a file.
class GioLauncherTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void initTestCase() {
        const QByteArray received = m_tree.bytes("received");
        m_tree.writeFile("opener.sh",
                         "#!/bin/sh\nprintf '%s' \"$1\" > '" + received + ".part' && mv '" + received +
                             ".part' '" + received + "'\n",
                         0755);
        m_tree.makeFolder("data/applications");
        m_tree.writeFile("data/applications/quillmere-test-opener.desktop",
                         "[Desktop Entry]\nType=Application\nName=Test opener\nExec=\"" +
                             m_tree.bytes("opener.sh") + "\" %u\nMimeType=text/plain;\nNoDisplay=true\n");
        m_tree.writeFile("config/mimeapps.list",
                         "[Default Applications]\ntext/plain=quillmere-test-opener.desktop\n");
    }

    void launchesTheDefaultApplicationWithTheFilesExactBytes() {
        // Bytes that are not UTF-8, a space and a newline: a URI built from a QString
        // conversion would name another file.
        const QByteArray name = "notes \xff\xfe\nend.txt";
        m_tree.writeFile("tree/" + name, "plain text\n");
        QVERIFY(GioLauncher::openWithDefaultApplication(PathCodec::decode(m_tree.bytes("tree/" + name))));

        QTRY_VERIFY_WITH_TIMEOUT(m_tree.exists("received"), 20000);
        // GIO gives a local file to the application as a file URI or, depending on its
        // version, as a plain path; either must name exactly the same bytes.
        const QByteArray received = m_tree.readFile("received");
        const QByteArray named =
            received.startsWith("file://") ? QByteArray::fromPercentEncoding(received.mid(7)) : received;
        QCOMPARE(named, m_tree.bytes("tree/" + name));
    }

    void reportsFilesItCannotOpen() {
        QVERIFY(
            !GioLauncher::openWithDefaultApplication(PathCodec::decode(m_tree.bytes("tree/missing.txt"))));
    }
};

QTEST_GUILESS_MAIN(GioLauncherTest)
#include "GioLauncherTest.moc"
