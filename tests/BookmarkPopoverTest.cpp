#include "models/navigation/Navigator.h"
#include "models/tabs/AppState.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/persistence/BookmarkStore.h"
#include "views/bookmarks/BookmarkPopoverView.h"

#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/RecordingPersistenceService.h"
#include "support/TemporaryTree.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// Bookmarks of real folders under a temporary tree, an application state with one tab,
// and a window for the popover to be modal over.
struct Fixture {
    Fixture()
        : store(persistence, PathProbe(), std::chrono::milliseconds(20))
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, files, nullptr, opener);
              },
              tree.path("home"), nullptr, files) {
        state.newTab(tree.path("home"));
        window.resize(400, 300);
        window.show();
    }

    void bookmark(const QByteArray& relative) {
        tree.makeFolder("tree/" + relative);
        store.add(tree.path("tree/" + relative));
    }

    // Opens the popover as the window does: through the store's flag.
    void show() {
        store.setShowPopover(true);
        popover.open();
        filter = popover.findChild<QLineEdit*>(u"bookmarkPopover.filter"_s);
        list = popover.findChild<QListWidget*>(u"bookmarkPopover.list"_s);
        pages = list ? qobject_cast<QStackedWidget*>(list->parentWidget()) : nullptr;
        QVERIFY(filter && list && pages);
        QTRY_COMPARE(popover.focusWidget(), filter);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(popover.windowHandle(), Qt::Key(key), modifiers);
    }
    // keyClicks takes Latin-1 keys only; a key event carrying the text types any letter.
    void type(const QString& text) {
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, filter, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    QStringList rows() const {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts.append(list->item(row)->text());
        return texts;
    }
    QString highlighted() const { return list->currentItem() ? list->currentItem()->text() : QString(); }
    QString page() const { return pages->currentWidget()->objectName(); }
    qsizetype lastSavedCount() const {
        return persistence.bookmarkSaves.isEmpty() ? -1 : persistence.bookmarkSaves.last().size();
    }
    QString activeFolder() const { return state.activeTab()->navigator().currentPath(); }

    TemporaryTree tree;
    RecordingPersistenceService persistence;
    BookmarkStore store;
    FakeFileSystemService files;
    FakeFileOpener opener;
    AppState state;
    QWidget window;
    BookmarkPopoverView popover{store, state, &window};
    QLineEdit* filter = nullptr;
    QListWidget* list = nullptr;
    QStackedWidget* pages = nullptr;
};

} // namespace

class BookmarkPopoverTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LanguageEnvironment> m_language;

private Q_SLOTS:
    void initTestCase() {
        m_language = std::make_unique<LanguageEnvironment>(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void keyboardFiltersMovesAndOpensInANewTab() {
        Fixture f;
        // The filter also matches the full path, and the temporary folder's random name is
        // ASCII: queries below use "ü" so that no path but these two names can match.
        for (const QByteArray name : {"Bücher", "Büro", "Music", "bad\xff", "Gone"})
            f.bookmark(name);
        QTRY_COMPARE(f.persistence.bookmarkSaves.size(), 1);
        QVERIFY(::rmdir(f.tree.bytes("tree/Gone").constData()) == 0);

        // The vanished folder drops out once asked about, and the list is saved once more.
        f.show();
        QTRY_COMPARE(f.rows(), QStringList({u"Bücher"_s, u"Büro"_s, u"Music"_s, u"bad\uFFFD"_s}));
        QTRY_COMPARE(f.persistence.bookmarkSaves.size(), 2);
        QCOMPARE(f.persistence.bookmarkSaves.last().size(), 4);
        QCOMPARE(f.highlighted(), u"Bücher"_s);
        QCOMPARE(f.list->currentItem()->toolTip(), f.tree.path("tree/Bücher"));

        // Down stops at the last row; Up comes back.
        for (int i = 0; i < 5; ++i)
            f.press(Qt::Key_Down);
        QCOMPARE(f.highlighted(), u"bad\uFFFD"_s);
        f.press(Qt::Key_Up);
        QCOMPARE(f.highlighted(), u"Music"_s);
        f.press(Qt::Key_Down);

        // The folder opens by its exact bytes, not by the text shown.
        const qsizetype tabs = f.state.tabCount();
        f.press(Qt::Key_Return);
        QCOMPARE(f.state.tabCount(), tabs + 1);
        QCOMPARE(f.state.activeTabIndex(), tabs);
        QCOMPARE(f.activeFolder(), f.tree.path("tree/bad\xff"));
        QVERIFY(!f.popover.isVisible());
        QVERIFY(!f.store.showPopover());

        // Shown again it starts afresh; equal scores are ordered by name, and a new query
        // highlights its first match.
        f.show();
        QCOMPARE(f.filter->text(), QString());
        QCOMPARE(f.highlighted(), u"Bücher"_s);
        f.type(u"ü"_s);
        QCOMPARE(f.rows(), QStringList({u"Bücher"_s, u"Büro"_s}));
        f.press(Qt::Key_Down);
        f.type(u"o"_s);
        QCOMPARE(f.rows(), QStringList({u"Büro"_s}));
        QCOMPARE(f.highlighted(), u"Büro"_s);
        f.press(Qt::Key_Return);
        QCOMPARE(f.state.tabCount(), tabs + 2);
        QCOMPARE(f.activeFolder(), f.tree.path("tree/Büro"));
        QVERIFY(!f.store.showPopover());
    }

    void escapeClearsTheQueryThenCloses() {
        Fixture f;
        f.bookmark("Music");
        f.show();

        f.type(u"nomatch#"_s);
        QCOMPARE(f.page(), u"bookmarkPopover.noMatch"_s);
        QVERIFY(!f.popover.selectedID());
        const qsizetype tabs = f.state.tabCount();
        f.press(Qt::Key_Return);
        QCOMPARE(f.state.tabCount(), tabs);
        QVERIFY(f.popover.isVisible());

        f.press(Qt::Key_Escape);
        QCOMPARE(f.filter->text(), QString());
        QVERIFY(f.popover.isVisible());
        QCOMPARE(f.highlighted(), u"Music"_s);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.popover.isVisible());
        QVERIFY(!f.store.showPopover());

        // Closed from outside, by the flag or by the window manager, it agrees with the flag.
        f.show();
        f.store.setShowPopover(false);
        QVERIFY(!f.popover.isVisible());
        f.show();
        f.popover.close();
        QVERIFY(!f.store.showPopover());
    }

    void ctrlDDeletesTheHighlightedBookmarkDownToTheEmptyState() {
        Fixture f;
        for (const QByteArray name : {"Alpha", "Beta", "Gamma"})
            f.bookmark(name);
        f.show();
        f.press(Qt::Key_Down);

        // A plain "d" is typing, not deleting.
        f.press(Qt::Key_D);
        QCOMPARE(f.filter->text(), u"d"_s);
        QCOMPARE(f.store.bookmarks().size(), 3);
        f.press(Qt::Key_Escape);
        f.press(Qt::Key_Down);

        f.press(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(f.rows(), QStringList({u"Alpha"_s, u"Gamma"_s}));
        QCOMPARE(f.store.bookmarks().size(), 2);
        QCOMPARE(f.highlighted(), u"Alpha"_s);
        QTRY_COMPARE(f.lastSavedCount(), 2);

        f.press(Qt::Key_D, Qt::ControlModifier);
        f.press(Qt::Key_D, Qt::ControlModifier);
        QVERIFY(f.store.bookmarks().isEmpty());
        QVERIFY(!f.popover.selectedID());
        QCOMPARE(f.page(), u"bookmarkPopover.empty"_s);
        QCOMPARE(f.popover.findChild<QLabel*>(u"bookmarkPopover.emptyTitle"_s)->text(),
                 qtTrId("bookmark.empty"));
        f.press(Qt::Key_D, Qt::ControlModifier);
        f.press(Qt::Key_Up);
        f.press(Qt::Key_Return);
        QVERIFY(!f.popover.selectedID());
        QVERIFY(f.popover.isVisible());
        QTRY_COMPARE(f.lastSavedCount(), 0);
    }
};

QTEST_MAIN(BookmarkPopoverTest)
#include "BookmarkPopoverTest.moc"
