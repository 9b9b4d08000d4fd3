#include "platform/PathCodec.h"
#include "views/DefaultClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

using namespace quillmere;

// Copying to the desktop clipboard: the text replaces everything that was there, and
// a path's undecodable bytes leave as U+FFFD rather than as text no program can read.
class ClipboardTest : public QObject {
    Q_OBJECT

    DefaultClipboard m_clipboard;

    static const QMimeData* contents() {
        return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    }

private Q_SLOTS:
    void copyReplacesEverythingWithPlainText() {
        auto rich = new QMimeData;
        rich->setHtml(QStringLiteral("<b>old</b>"));
        rich->setText(QStringLiteral("old"));
        QGuiApplication::clipboard()->setMimeData(rich);

        m_clipboard.copy(QStringLiteral("/first"));
        m_clipboard.copy(QStringLiteral("/second"));
        QCOMPARE(contents()->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(contents()->text(), QStringLiteral("/second"));

        m_clipboard.copy(QString());
        QCOMPARE(contents()->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(contents()->text(), QString());
    }

    void escapedBytesAreCopiedAsReplacementCharacters() {
        m_clipboard.copy(PathCodec::decode("/tmp/caf\xe9/\xff.txt"));
        QCOMPARE(contents()->text(), QStringLiteral("/tmp/caf\uFFFD/\uFFFD.txt"));
    }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
