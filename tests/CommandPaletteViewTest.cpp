#include "views/palette/CommandPaletteView.h"
#include "models/tabs/AppState.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/BookmarkStore.h"
#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/KeyCommandText.h"
#include "support/RecordingPersistenceService.h"
#include "support/TemporaryTree.h"
#include "views/keyboard/KeyEventMonitor.h"
#include "views/palette/PaletteItemView.h"
#include "views/palette/PaletteItemsModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;
using C = KeyCommand::Case;

namespace {

Bookmark bookmarkAt(const QString& url) {
    return {QUuid::createUuid(), url, QDateTime::fromSecsSinceEpoch(0)};
}

// A window with one button that holds the focus, the palette over it and a key monitor
// that records what the window's single keys would run. The store reads one tab over a
// fake file system; whether a chosen folder still exists is asked of a temporary tree.
struct Fixture {
    Fixture()
        : bookmarks(persistence)
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, files, nullptr, opener);
              },
              u"/home/u"_s, nullptr, files)
        , store(bookmarks, state, nullptr, PathProbe(calls))
        , button(new QPushButton(u"table"_s, &host))
        , view(new CommandPaletteView(store, &host))
        , monitor(
              *button, [this](const KeyCommand& command) { monitored.append(command); },
              [] { return true; }) {
        state.newTab(u"/home/u"_s);
        store.setKeyCommandDispatch([this](const KeyCommand& command) {
            dispatched.append(command);
            focusAtDispatch = QApplication::focusWidget();
        });
        host.resize(800, 600);
        host.show();
        if (!QTest::qWaitForWindowActive(&host))
            qFatal("the window did not become active");
        button->setFocus();
    }

    Navigator& navigator() { return state.activeTab()->navigator(); }
    QLineEdit* query() const { return view->findChild<QLineEdit*>(u"paletteQuery"_s); }
    QListView* list() const { return view->findChild<QListView*>(u"paletteList"_s); }
    QAbstractItemModel* model() const { return list()->model(); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    // Keys go to the window, as the user's do, so the key monitor sees them first.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(host.windowHandle(), key, modifiers);
    }
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(host.windowHandle(), c.toLatin1());
    }
    QStringList titles() const {
        QStringList titles;
        for (int row = 0; row < model()->rowCount(); ++row)
            titles.append(model()->index(row, 0).data().toString());
        return titles;
    }
    int rowTitled(const QString& title) const { return int(titles().indexOf(title)); }
    QVariant rowData(int row, int role) const { return model()->index(row, 0).data(role); }
    int currentRow() const { return list()->currentIndex().row(); }
    bool currentRowInSight() const {
        return list()->viewport()->rect().contains(list()->visualRect(list()->currentIndex()));
    }

    TemporaryTree tree;
    FakeFileSystemService files;
    FakeFileOpener opener;
    RecordingPersistenceService persistence;
    BookmarkStore bookmarks;
    AppState state;
    std::shared_ptr<FaultInjectingCalls> calls = std::make_shared<FaultInjectingCalls>();
    CommandPaletteStore store;
    QWidget host;
    QPushButton* button;
    CommandPaletteView* view;
    KeyEventMonitor monitor;
    QList<KeyCommand> dispatched;
    QWidget* focusAtDispatch = nullptr;
    QList<KeyCommand> monitored;
};

} // namespace

// The palette driven by keys and clicks as the user drives it.
class CommandPaletteViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LanguageEnvironment> m_language;

private Q_SLOTS:
    void initTestCase() {
        // The key monitor's trace of every press would bury the results.
        QLoggingCategory::setFilterRules(u"org.quillmere.Quillmere.UI.debug=false"_s);
        m_language = std::make_unique<LanguageEnvironment>(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void typingNarrowsTheRowsAndTheKeysMoveAndRun() {
        Fixture f;
        QAbstractItemModelTester tester(f.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int i = 0; i < 12; ++i)
            f.navigator().navigate(u"/home/u/f"_s + QString::number(i));
        f.bookmarks.setBookmarks({bookmarkAt(u"/b/zoo-keeper"_s), bookmarkAt(u"/b/two"_s)});

        // The window's keys are live while the palette is closed.
        f.type(u"b"_s);
        QCOMPARE(f.monitored, QList<KeyCommand>{C::goBack});
        QVERIFY(!f.view->isVisible());

        f.store.open();
        QVERIFY(f.view->isVisible());
        QCOMPARE(f.focused(), f.query());
        QCOMPARE(f.query()->placeholderText(), u"Search commands, folders and bookmarks"_s);
        // Ten newest folders, newest first, then the bookmarks; the selection on the first.
        QCOMPARE(f.titles().size(), 12);
        QCOMPARE(f.titles().first(), u"f11"_s);
        QCOMPARE(f.titles().mid(9), (QStringList{u"f2"_s, u"zoo-keeper"_s, u"two"_s}));
        QCOMPARE(f.currentRow(), 0);
        QCOMPARE(f.rowData(0, PaletteItemsModel::isSelectedRole), QVariant(true));

        // Wrapping both ways, with the arrows and with Ctrl+P / Ctrl+N; the selected row
        // is scrolled into sight (twelve rows are more than the list shows).
        f.press(Qt::Key_Up);
        QCOMPARE(f.store.selectedIndex(), 11);
        QCOMPARE(f.currentRow(), 11);
        QVERIFY(f.currentRowInSight());
        QCOMPARE(f.rowData(0, PaletteItemsModel::isSelectedRole), QVariant(false));
        f.press(Qt::Key_Down);
        QCOMPARE(f.store.selectedIndex(), 0);
        QVERIFY(f.currentRowInSight());
        f.press(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.store.selectedIndex(), 11);
        f.press(Qt::Key_N, Qt::ControlModifier);
        f.press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(f.store.selectedIndex(), 1);
        // Tab would carry the focus to the window under the palette.
        f.press(Qt::Key_Tab);
        QCOMPARE(f.focused(), f.query());

        // Typing goes to the query, never to the window's keys (not even Escape with
        // marks present); every keystroke puts the selection back on the first row.
        f.type(u"zo"_s);
        QCOMPARE(f.monitored, QList<KeyCommand>{C::goBack});
        QCOMPARE(f.store.query(), u"zo"_s);
        QCOMPARE(f.titles(), (QStringList{u"zoo-keeper"_s}));
        QCOMPARE(f.store.selectedIndex(), 0);
        QCOMPARE(f.rowData(0, PaletteItemsModel::titleMatchRole).value<QList<int>>(), (QList<int>{0, 1}));
        QCOMPARE(f.rowData(0, PaletteItemsModel::subtitleRole).toString(), u"/b/zoo-keeper"_s);

        // Nothing matches: the list gives way to the note, and Return only closes.
        f.type(u"qq"_s);
        QVERIFY(f.view->findChild<QLabel*>(u"paletteNoResults"_s)->isVisible());
        QVERIFY(!f.list()->isVisible());
        f.press(Qt::Key_Return);
        QVERIFY(!f.view->isVisible());
        QVERIFY(f.dispatched.isEmpty());
        // The focus is back where it was, and so are the window's keys.
        QCOMPARE(f.focused(), f.button);
        f.type(u"f"_s);
        QCOMPARE(f.monitored, (QList<KeyCommand>{C::goBack, C::goForward}));

        // A command runs through the dispatch the content view set, as its key would.
        f.store.open();
        QCOMPARE(f.query()->text(), QString());
        f.type(u"copy path clipboard"_s);
        QCOMPARE(f.store.items().first().kind.command()->command, KeyCommand(C::copyPath));
        f.press(Qt::Key_Return);
        QCOMPARE(f.dispatched, QList<KeyCommand>{C::copyPath});
        // The command met the window as its key would: palette gone, focus back.
        QCOMPARE(f.focusAtDispatch, f.button);
        QVERIFY(!f.view->isVisible());
        QCOMPARE(f.focused(), f.button);

        // Opened again, it lists that command first with its key, to teach it.
        f.store.open();
        QCOMPARE(f.titles().first(), u"Copy path"_s);
        QCOMPARE(f.rowData(0, PaletteItemsModel::keyHintRole).toString(), u"p"_s);
        QCOMPARE(f.rowData(0, PaletteItemsModel::subtitleRole), QVariant());
        f.press(Qt::Key_Escape);
        QVERIFY(!f.view->isVisible());
        QCOMPARE(f.dispatched, QList<KeyCommand>{C::copyPath});
        QCOMPARE(f.monitored.size(), 2);
    }

    // A folder found through its path lights up the path, where the matched characters
    // are; its name shows no highlight that would name the wrong characters.
    void pathMatchesAreHighlightedInThePath() {
        Fixture f;
        f.navigator().navigate(u"/srv/zone/inside"_s);
        f.navigator().navigate(u"/srv/zone"_s);
        f.store.open();
        f.type(u"zon"_s);
        // The characters the row highlights, wherever it draws them.
        const auto lit = [&f](int row) {
            QString text;
            for (const int position : f.rowData(row, PaletteItemsModel::titleMatchRole).value<QList<int>>())
                text += f.rowData(row, Qt::DisplayRole).toString().at(position);
            for (const int position :
                 f.rowData(row, PaletteItemsModel::subtitleMatchRole).value<QList<int>>())
                text += f.rowData(row, PaletteItemsModel::subtitleRole).toString().at(position);
            return text;
        };
        const int byPath = f.rowTitled(u"inside"_s);
        const int byName = f.rowTitled(u"zone"_s);
        QVERIFY(byPath >= 0 && byName >= 0);
        QCOMPARE(f.rowData(byPath, PaletteItemsModel::titleMatchRole).value<QList<int>>(), QList<int>());
        QCOMPARE(lit(byPath), u"zon"_s);
        QCOMPARE(lit(byName), u"zon"_s);
    }

    // Offsets count user-perceived characters of the name as stored; the row shows the
    // name with escaped bytes as U+FFFD and shortened to fit.
    void highlightsLandOnTheMatchedCharacters() {
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        using Range = std::pair<int, int>;
        const auto rangesOf = [](const PaletteItemView::Highlighted& text) {
            QList<Range> ranges;
            for (const QTextLayout::FormatRange& range : text.ranges)
                ranges.append({range.start, range.length});
            return ranges;
        };

        const auto accent = PaletteItemView::highlighted(u"Cafe\u0301 Noir"_s, {3, 5}, format);
        QCOMPARE(accent.text, u"Cafe\u0301 Noir"_s);
        QCOMPARE(rangesOf(accent), (QList<Range>{{3, 2}, {6, 1}}));
        // Neighbouring characters make one range; offsets past the end are ignored.
        const auto escaped = PaletteItemView::highlighted(u"a\xDCFF"
                                                          "bc"_s,
                                                          {1, 2, 9}, format);
        QCOMPARE(escaped.text, u"a\uFFFDbc"_s);
        QCOMPARE(rangesOf(escaped), (QList<Range>{{1, 2}}));

        const QFontMetrics metrics(QApplication::font());
        const QString longName = QString(200, u'a') + u"yz"_s;
        const auto marked = PaletteItemView::highlighted(longName, {0, 201}, format);
        const int width = metrics.horizontalAdvance(u"aaaaaaaaaa"_s);
        const auto right = PaletteItemView::elided(marked, metrics, Qt::ElideRight, width);
        QVERIFY(right.text.size() < longName.size());
        QCOMPARE(rangesOf(right), (QList<Range>{{0, 1}}));
        const auto middle = PaletteItemView::elided(marked, metrics, Qt::ElideMiddle, width);
        QCOMPARE(rangesOf(middle), (QList<Range>{{0, 1}, {int(middle.text.size()) - 1, 1}}));
        QCOMPARE(middle.text.back(), u'z');
        const auto fits = PaletteItemView::elided(accent, metrics, Qt::ElideMiddle, 10000);
        QCOMPARE(rangesOf(fits), rangesOf(accent));
    }

    void clicksRunRowsAndClickingBesideCloses() {
        Fixture f;
        f.tree.makeFolder("work");
        const QString work = f.tree.path("work");
        f.files.setEntries(work, {});
        f.navigator().navigate(work);
        f.navigator().navigate(u"/home/u"_s);
        f.store.open();
        QCOMPARE(f.titles(), (QStringList{u"u"_s, u"work"_s, u"u"_s}));

        // Beside the palette, on the dimmed window: closes, runs nothing.
        QTest::mouseClick(f.view, Qt::LeftButton, {}, QPoint(5, f.view->height() - 5));
        QVERIFY(!f.view->isVisible());
        QCOMPARE(f.navigator().currentPath(), u"/home/u"_s);

        f.store.open();
        const QRect row = f.list()->visualRect(f.model()->index(1, 0));
        QTest::mouseClick(f.list()->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(!f.view->isVisible());
        QTRY_COMPARE(f.navigator().currentPath(), work);
        QCOMPARE(f.focused(), f.button);
    }

    // The folder is asked for after the palette has closed; its absence is reported over
    // the window, and the tab stays where it was.
    void aMissingBookmarkedFolderIsReported() {
        Fixture f;
        f.bookmarks.setBookmarks({bookmarkAt(f.tree.path("gone"))});
        f.store.open();
        f.type(u"gone"_s);
        QCOMPARE(f.titles().first(), u"gone"_s);
        f.press(Qt::Key_Return);
        QVERIFY(!f.view->isVisible());
        QMessageBox* alert = nullptr;
        QTRY_VERIFY((alert = f.host.findChild<QMessageBox*>(u"paletteErrorAlert"_s)));
        QCOMPARE(alert->text(), u"“gone” no longer exists."_s);
        QCOMPARE(f.navigator().currentPath(), u"/home/u"_s);
        QTest::keyClick(alert, Qt::Key_Return);
        QTRY_VERIFY(!f.host.findChild<QMessageBox*>(u"paletteErrorAlert"_s));
    }

    void followsTheWindowAndItsLanguage() {
        Fixture f;
        f.store.open();
        auto* frame = f.view->findChild<QWidget*>(u"paletteFrame"_s);
        QCOMPARE(f.view->geometry(), f.host.rect());
        QCOMPARE(frame->width(), CommandPaletteView::paletteWidth);
        f.host.resize(400, 300);
        QCOMPARE(f.view->geometry(), f.host.rect());
        QVERIFY(frame->geometry().right() < 400 && frame->geometry().left() > 0);
        QVERIFY(f.list()->height() <= CommandPaletteView::listMaximumHeight);
        // A view the window adds while the palette is open stays under it.
        auto* late = new QWidget(&f.host);
        late->setGeometry(f.host.rect());
        late->show();
        QCOMPARE(f.host.childAt(5, 295), f.view);

        m_language->setLanguage(AppLanguage::ja);
        QTRY_COMPARE(f.query()->placeholderText(), u"コマンド、フォルダ、ブックマークを検索"_s);
        m_language->setLanguage(AppLanguage::en);
        QTRY_COMPARE(f.query()->placeholderText(), u"Search commands, folders and bookmarks"_s);
    }
};

QTEST_MAIN(CommandPaletteViewTest)
#include "CommandPaletteViewTest.moc"
