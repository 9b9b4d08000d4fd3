#include "platform/PathCodec.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FakeFileSystemService.h"
#include "support/FileItems.h"
#include "support/TemporaryTree.h"
#include "views/chooser/DefaultFolderChooser.h"
#include "views/chooser/FolderChooserDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QtTest>

#include <memory>

using namespace quillmere;
using namespace Qt::StringLiterals;

namespace {

using Answer = std::optional<QString>;

QCoro::Task<> collect(QCoro::Task<Answer> asked, std::optional<Answer>* answer) {
    *answer = co_await std::move(asked);
}

QStringList rowTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

// Lets every event already posted (a finished listing's among them) be handled.
void flushPostedEvents() {
    bool flushed = false;
    QMetaObject::invokeMethod(
        qApp, [&flushed] { flushed = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(flushed);
}

// A shown window asking its chooser, and the dialog it opened.
struct Asking {
    Asking(FileSystemService& fileSystem, FolderChoiceRequest request)
        : chooser(fileSystem) {
        window->resize(300, 200);
        window->show();
        running = collect(chooser.chooseFolder(window.get(), std::move(request)), &answer);
        dialog = window->findChild<FolderChooserDialog*>();
        if (dialog) {
            filter = dialog->findChild<QLineEdit*>(u"folderChooser.filter"_s);
            quick = dialog->findChild<QListWidget*>(u"folderChooser.quick"_s);
            browser = dialog->findChild<QListWidget*>(u"folderChooser.browser"_s);
            status = dialog->findChild<QLabel*>(u"folderChooser.status"_s);
        }
    }
    void press(Qt::Key key) { QTest::keyClick(dialog->windowHandle(), key); }
    void type(const char* text) {
        for (; *text; ++text)
            QTest::keyClick(dialog->windowHandle(), *text);
    }
    QString highlightedPath() const { return browser->currentItem()->data(Qt::UserRole).toString(); }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    DefaultFolderChooser chooser;
    std::optional<Answer> answer;
    QCoro::Task<> running;
    QPointer<FolderChooserDialog> dialog;
    QLineEdit* filter = nullptr;
    QListWidget* quick = nullptr;
    QListWidget* browser = nullptr;
    QLabel* status = nullptr;
};

} // namespace

class FolderChooserTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;
    DefaultFileSystemService m_fileSystem;

    QString path(const QByteArray& relative = {}) const { return m_tree.path(relative); }
    FolderChoiceRequest request(const QByteArray& start) const {
        return {.startFolder = path(start),
                .message = u"Move the marked items to"_s,
                .confirmText = u"Move here"_s,
                .quickDestinations = {{u"archive"_s, path("archive")},
                                      {u"quillmere"_s, path("projects/quillmere")},
                                      {u"Archive bookmark"_s, path("archive/")}}};
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_tree.isValid());
        for (const char* folder : {"work", "work/alpha", "work/alpha/inner", "work/beta", "projects"})
            m_tree.makeFolder(folder);
        m_tree.makeFolder("work/.hidden");
        m_tree.makeFolder("work/bad\xff\xfe");
        m_tree.makeSymlink("beta", "work/link-to-beta");
        m_tree.writeFile("work/notes.txt", "text");
        m_tree.makeFolder("projects/quillmere");
        m_tree.makeFolder("archive");
    }

    // The filter narrows the quick destinations by fuzzy match and Return takes the best;
    // one path offered twice (as a tab's folder and as a bookmark) is listed once.
    void typingFiltersQuickDestinationsAndReturnChoosesOne() {
        Asking asking(m_fileSystem, request("work"));
        QVERIFY(asking.dialog && asking.filter && asking.quick);
        QVERIFY(QTest::qWaitForWindowActive(asking.dialog));
        QCOMPARE(asking.dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(asking.dialog->parentWidget(), asking.window.get());
        QCOMPARE(asking.dialog->focusWidget(), asking.filter);
        QCOMPARE(asking.quick->count(), 2);
        QCOMPARE(asking.quick->currentRow(), 0);

        asking.press(Qt::Key_Down);
        QCOMPARE(asking.quick->currentRow(), 1);
        asking.press(Qt::Key_Up);
        QCOMPARE(asking.quick->currentRow(), 0);

        // Nothing matches: Return chooses nothing and the dialog stays.
        asking.type("~~");
        QCOMPARE(asking.quick->count(), 0);
        asking.press(Qt::Key_Return);
        QVERIFY(!asking.answer);
        for (int i = 0; i < 2; ++i)
            asking.press(Qt::Key_Backspace);

        // The temporary root's own name matches too, but only through the whole path.
        asking.type("qlm");
        QCOMPARE(asking.quick->currentItem()->data(Qt::UserRole).toString(), path("projects/quillmere"));
        asking.press(Qt::Key_Return);
        QTRY_VERIFY(asking.answer);
        QCOMPARE(*asking.answer, path("projects/quillmere"));
        QTRY_VERIFY(!asking.dialog);
    }

    // Tab to the browser, walk down and up by keys, and choose a folder whose name is not
    // valid UTF-8: the answer names it byte for byte.
    void theBrowserWalksFoldersAndChoosesLosslessly() {
        Asking asking(m_fileSystem, request("work"));
        QVERIFY(asking.dialog && asking.browser && asking.status);
        QCOMPARE(asking.dialog->shownFolder(), path("work"));
        QTRY_VERIFY(!asking.dialog->isListing());
        // Folders and links to folders only; hidden ones wait for ".".
        const QString thisFolder = qtTrId("chooser.thisFolder");
        QCOMPARE(rowTexts(asking.browser),
                 (QStringList{thisFolder, u"alpha"_s, u"bad\uFFFD\uFFFD"_s, u"beta"_s, u"link-to-beta"_s}));

        asking.press(Qt::Key_Tab);
        QCOMPARE(asking.dialog->focusWidget(), asking.browser);
        asking.press(Qt::Key_Period);
        QTRY_VERIFY(!asking.dialog->isListing());
        QVERIFY(rowTexts(asking.browser).contains(u".hidden"_s));
        asking.press(Qt::Key_Period);
        QTRY_VERIFY(!asking.dialog->isListing());
        QVERIFY(!rowTexts(asking.browser).contains(u".hidden"_s));

        asking.press(Qt::Key_Down);
        asking.press(Qt::Key_Right);
        QCOMPARE(asking.dialog->shownFolder(), path("work/alpha"));
        QTRY_VERIFY(!asking.dialog->isListing());
        QCOMPARE(rowTexts(asking.browser), (QStringList{thisFolder, u"inner"_s}));
        asking.press(Qt::Key_Down);
        asking.press(Qt::Key_Right);
        QTRY_VERIFY(!asking.dialog->isListing());
        QCOMPARE(asking.status->text(), qtTrId("chooser.noFolders"));

        // Up again: the folder just left is highlighted.
        asking.press(Qt::Key_Left);
        QTRY_VERIFY(!asking.dialog->isListing());
        QCOMPARE(asking.highlightedPath(), path("work/alpha/inner"));
        asking.press(Qt::Key_Backspace);
        QTRY_VERIFY(!asking.dialog->isListing());
        QCOMPARE(asking.dialog->shownFolder(), path("work"));
        QCOMPARE(asking.highlightedPath(), path("work/alpha"));

        asking.press(Qt::Key_Down);
        QCOMPARE(asking.highlightedPath(), path("work/bad\xff\xfe"));
        asking.press(Qt::Key_Return);
        QTRY_VERIFY(asking.answer);
        QVERIFY(*asking.answer);
        QCOMPARE(PathCodec::encode(**asking.answer), m_tree.bytes("work/bad\xff\xfe"));
    }

    // Without quick destinations the browser has the keys; a folder that cannot be read
    // says so, its parent can still be reached, and Return on the first row chooses the
    // shown folder. Escape answers nothing.
    void anUnreadableStartLeadsUpAndEscapeCancels() {
        {
            Asking asking(m_fileSystem, {path("missing"), u"Copy the marked items to"_s, u"Copy here"_s, {}});
            QVERIFY(asking.dialog && asking.browser && asking.status);
            QVERIFY(!asking.quick->isVisibleTo(asking.dialog));
            QCOMPARE(asking.dialog->focusWidget(), asking.browser);
            QTRY_VERIFY(!asking.dialog->isListing());
            QCOMPARE(asking.status->text(), qtTrId("chooser.unreadable"));
            QCOMPARE(asking.browser->count(), 1);

            asking.press(Qt::Key_Left);
            QTRY_VERIFY(!asking.dialog->isListing());
            QCOMPARE(asking.dialog->shownFolder(), path());
            asking.press(Qt::Key_Home);
            asking.press(Qt::Key_Return);
            QTRY_VERIFY(asking.answer);
            QCOMPARE(*asking.answer, path());
        }
        Asking asking(m_fileSystem, request("work"));
        QVERIFY(asking.dialog);
        asking.press(Qt::Key_Escape);
        QTRY_VERIFY(asking.answer);
        QCOMPARE(*asking.answer, std::nullopt);
        QTRY_VERIFY(!asking.dialog);
    }

    // A listing that arrives after the user has moved on is dropped, and closing the
    // window under an open chooser answers nothing.
    void aLateListingIsDroppedAndAClosedWindowCancels() {
        test::FakeFileSystemService files;
        files.setEntries(u"/r"_s, {test::folderItem(u"/r"_s, u"slow"_s)});
        files.setEntries(u"/r/slow"_s, {test::folderItem(u"/r/slow"_s, u"stale"_s)});
        files.setHeld(u"/r/slow"_s, true);
        Asking asking(files, {u"/r"_s, {}, u"Move here"_s, {}});
        QVERIFY(asking.dialog);
        QTRY_VERIFY(!asking.dialog->isListing());

        asking.press(Qt::Key_Down);
        asking.press(Qt::Key_Right);
        QVERIFY(asking.dialog->isListing());
        QCOMPARE(asking.status->text(), qtTrId("chooser.loading"));
        files.setHeld(u"/r"_s, true);
        asking.press(Qt::Key_Left);
        files.release(u"/r/slow"_s);
        flushPostedEvents();
        QVERIFY(asking.dialog->isListing());
        QCOMPARE(asking.browser->count(), 1);

        files.release(u"/r"_s);
        QTRY_VERIFY(!asking.dialog->isListing());
        QCOMPARE(asking.dialog->shownFolder(), u"/r"_s);
        QCOMPARE(asking.highlightedPath(), u"/r/slow"_s);

        asking.window.reset();
        QTRY_VERIFY(asking.answer);
        QCOMPARE(*asking.answer, std::nullopt);
    }
};

QTEST_MAIN(FolderChooserTest)
#include "FolderChooserTest.moc"
