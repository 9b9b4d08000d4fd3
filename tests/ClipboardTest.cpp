#include "platform/PathCodec.h"
#include "views/desktop/DefaultClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

using namespace Qt::StringLiterals;

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
        rich->setHtml(u"<b>old</b>"_s);
        rich->setText(u"old"_s);
        QGuiApplication::clipboard()->setMimeData(rich);

        m_clipboard.copy(u"/first"_s);
        m_clipboard.copy(u"/second"_s);
        QCOMPARE(contents()->formats(), QStringList{u"text/plain"_s});
        QCOMPARE(contents()->text(), u"/second"_s);

        m_clipboard.copy(QString());
        QCOMPARE(contents()->formats(), QStringList{u"text/plain"_s});
        QCOMPARE(contents()->text(), QString());
    }

    void escapedBytesAreCopiedAsReplacementCharacters() {
        m_clipboard.copy(PathCodec::decode("/tmp/caf\xe9/\xff.txt"));
        QCOMPARE(contents()->text(), u"/tmp/caf\uFFFD/\uFFFD.txt"_s);
    }

    // Files go out in every format other file managers read, and come back; a cut is
    // cleared only while the clipboard still holds it.
    void filesGoOutInTheirFormatsAndComeBack() {
        const FilesOnClipboard cut{{PathCodec::decode("/tmp/a b/\xff.txt"), u"/tmp/c"_s}, true};
        m_clipboard.setFiles(cut);
        QStringList formats = contents()->formats();
        formats.sort();
        QCOMPARE(formats, (QStringList{u"application/x-kde-cutselection"_s, u"text/plain"_s,
                                       u"text/uri-list"_s, u"x-special/gnome-copied-files"_s}));
        QCOMPARE(contents()->data(u"x-special/gnome-copied-files"_s),
                 QByteArray("cut\nfile:///tmp/a%20b/%FF.txt\nfile:///tmp/c"));
        QCOMPARE(m_clipboard.files(), cut);
        m_clipboard.clearFiles({{u"/tmp/other"_s}, true});
        QCOMPARE(m_clipboard.files(), cut);
        m_clipboard.clearFiles(cut);
        QCOMPARE(m_clipboard.files(), std::nullopt);
    }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
