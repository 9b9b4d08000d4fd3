#include "views/trash/TrashView.h"
#include "models/tabs/AppState.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/SessionJson.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/sheets/DeleteConfirmSheet.h"
#include "views/sheets/TrashConfirmSheet.h"
#include "views/trash/TrashTableModel.h"

#include "support/ForwardingFileSystemService.h"
#include "support/RunningProgram.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QComboBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// The real service, kept to the temporary home's trash: the trashes of the machine's own
// volumes are neither listed nor emptied.
class TrashTestService final : public ForwardingFileSystemService {
public:
    explicit TrashTestService(const TemporaryTree& tree)
        : ForwardingFileSystemService(SystemCalls::real(), tree.path("state/quillmere"))
        , m_root(tree.path() + u'/') {}

    QCoro::Task<std::vector<TrashedItem>> listTrash() override {
        auto listing = m_real.listTrash();
        std::vector<TrashedItem> items = co_await listing;
        std::erase_if(items,
                      [this](const TrashedItem& item) { return !item.trashedPath.startsWith(m_root); });
        co_return items;
    }
    QCoro::Task<> emptyTrash(std::shared_ptr<OperationControl> control) override {
        auto listing = listTrash();
        const std::vector<TrashedItem> items = co_await listing;
        QStringList paths;
        for (const TrashedItem& item : items)
            paths.append(item.trashedPath);
        auto deleting = m_real.deleteFromTrash(paths, control);
        co_await deleting;
    }

private:
    QString m_root;
};

// The rows the trash view shows, one column.
QStringList column(const TrashView& view, int column) {
    QStringList texts;
    const TrashTableModel& model = view.tableModel();
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

// Puts the trash table's selection on a row with Ctrl+Home and Down.
void selectTrashRow(const Program& program, const TrashView& view, const QString& name) {
    const qsizetype row = column(view, TrashTableModel::name).indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    program.press(Qt::Key_Home, Qt::ControlModifier);
    for (qsizetype i = 0; i < row; ++i)
        program.press(Qt::Key_Down);
    QCOMPARE(view.table().currentIndex().row(), int(row));
}

// Waits for the confirmation, checks its message, moves from Cancel to the confirming
// button and presses it.
void confirmDeletion(const Program& program, const QString& message) {
    auto* sheet = openSheet<TrashConfirmSheet>();
    QVERIFY(sheet);
    QCOMPARE(sheet->findChild<QLabel*>(u"message"_s)->text(), message);
    QCOMPARE(sheet->focusWidget()->objectName(), u"cancelButton"_s);
    program.pressIn(sheet, Qt::Key_Tab);
    program.pressIn(sheet, Qt::Key_Return);
    program.waitForSheetsToClose();
}

} // namespace

// The trash tab through the real window and keys: it lists the temporary home's trash,
// sorts and filters like a folder, restores (through the conflict sheet when a place is
// taken), deletes for good and empties, each checked on disk.
class TrashViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theTrashTabListsRestoresDeletesAndEmpties() {
        TemporaryTree tree;
        tree.writeFile("home/notes.txt", "notes");
        tree.writeFile("home/photo.jpg", QByteArray(3000, 'p'));
        tree.writeFile("home/docs/report.md", QByteArray(200, 'r'));
        tree.writeFile("home/caf\xE9.txt", "latin-1");
        tree.writeFile("home/stay.txt", "stay");
        tree.writeFile("home/go.txt", "go");
        auto service = std::make_unique<TrashTestService>(tree);
        TrashTestService& fileSystem = *service;
        const QString cafe = tree.path("home/caf\xE9.txt");
        await(fileSystem.moveToTrash({tree.path("home/notes.txt"), tree.path("home/photo.jpg"),
                                      tree.path("home/docs/report.md"), cafe},
                                     {}));
        // The report's folder goes too: restoring makes it again.
        QCOMPARE(::rmdir(tree.bytes("home/docs").constData()), 0);

        Program program(tree, std::move(service));
        QVERIFY(program.waitForListing(u"stay.txt"_s));
        TrashView& view = program.app->shell()->trashView();
        QVERIFY(!view.isVisible());

        // Ctrl+Shift+Delete opens the trash in a tab of its own, named after it.
        program.press(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(program.appState().activeTab()->isTrash());
        QCOMPARE(program.appState().tabCount(), 2);
        QTRY_COMPARE(view.tableModel().rowCount(), 4);
        QVERIFY(view.isVisible() && !program.content().isVisible());
        QCOMPARE(program.app->window().windowTitle(), u"Trash"_s);
        QCOMPARE(view.table().accessibleName(), u"Trash"_s);
        QCOMPARE(view.findChild<QLabel*>(u"trashView.summary"_s)->text(), u"4 items, 3.2 kB"_s);

        // What another program trashes meanwhile shows while the trash is in sight, and goes
        // when that program takes it back.
        tree.writeFile("home/elsewhere.txt", "trashed by another program");
        const QList<TrashedPlace> elsewhere =
            await(DefaultFileSystemService().moveToTrash({tree.path("home/elsewhere.txt")}));
        QTRY_COMPARE(view.tableModel().rowCount(), 5);
        await(DefaultFileSystemService().restoreFromTrash(
            {{elsewhere.first().trashed, tree.path("home/elsewhere.txt"), false}}));
        QTRY_COMPARE(view.tableModel().rowCount(), 4);
        QVERIFY(QFile::remove(tree.path("home/elsewhere.txt")));
        const QString cafeShown = u"caf\uFFFD.txt"_s;
        const QString home = tree.path("home");
        const QString docs = tree.path("home/docs");

        // 1 sorts by name, again reverses it; 4 by original location, then name.
        program.type(u"1"_s);
        QCOMPARE(column(view, TrashTableModel::name),
                 (QStringList{cafeShown, u"notes.txt"_s, u"photo.jpg"_s, u"report.md"_s}));
        program.type(u"1"_s);
        QCOMPARE(column(view, TrashTableModel::name),
                 (QStringList{u"report.md"_s, u"photo.jpg"_s, u"notes.txt"_s, cafeShown}));
        program.type(u"4"_s);
        QCOMPARE(column(view, TrashTableModel::name),
                 (QStringList{cafeShown, u"notes.txt"_s, u"photo.jpg"_s, u"report.md"_s}));
        QCOMPARE(column(view, TrashTableModel::originalLocation), (QStringList{home, home, home, docs}));
        program.type(u"3"_s);
        QCOMPARE(column(view, TrashTableModel::name).first(), u"notes.txt"_s);
        QCOMPARE(column(view, TrashTableModel::size).last(), u"3.0 kB"_s);

        // s filters by the names, fuzzily; Escape clears the query, then closes the field.
        program.type(u"s"_s);
        auto* filter = view.findChild<QLineEdit*>(u"trashView.filter"_s);
        QTRY_COMPARE(QApplication::focusWidget(), filter);
        program.typeIn(&program.app->window(), u"rpt"_s, false);
        QCOMPARE(column(view, TrashTableModel::name), QStringList{u"report.md"_s});
        program.press(Qt::Key_Escape);
        QCOMPARE(view.tableModel().rowCount(), 4);
        program.press(Qt::Key_Escape);
        QVERIFY(!filter->isVisible());
        QCOMPARE(QApplication::focusWidget(), &view.table());

        // Return restores the marked items: the exact bytes of a name that is not UTF-8,
        // and a report whose folder is made again.
        program.type(u"1"_s);
        selectTrashRow(program, view, cafeShown);
        program.press(Qt::Key_Space);
        selectTrashRow(program, view, u"report.md"_s);
        program.press(Qt::Key_Space);
        program.press(Qt::Key_Return);
        QTRY_COMPARE(view.tableModel().rowCount(), 2);
        QCOMPARE(tree.readFile("home/caf\xE9.txt"), QByteArray("latin-1"));
        QCOMPARE(tree.readFile("home/docs/report.md"), QByteArray(200, 'r'));
        QVERIFY(view.tableModel().marks().isEmpty());

        // A taken place goes through the conflict sheet: restored under a new name.
        tree.writeFile("home/photo.jpg", "newer");
        selectTrashRow(program, view, u"photo.jpg"_s);
        program.press(Qt::Key_Return);
        auto* conflict = openSheet<ConflictResolutionSheet>();
        QVERIFY(conflict);
        QCOMPARE(conflict->findChild<QLabel*>(u"conflict.name.0"_s)->text(), u"photo.jpg"_s);
        program.pressIn(conflict, Qt::Key_Down); // skip -> rename
        QCOMPARE(conflict->findChild<QComboBox*>(u"conflict.choice.0"_s)->currentIndex(), 2);
        program.pressIn(conflict, Qt::Key_Tab);
        program.typeIn(conflict, u"photo old.jpg"_s, true);
        program.pressIn(conflict, Qt::Key_Return);
        program.waitForSheetsToClose();
        QTRY_COMPARE(view.tableModel().rowCount(), 1);
        QCOMPARE(tree.readFile("home/photo.jpg"), QByteArray("newer"));
        QCOMPARE(tree.readFile("home/photo old.jpg"), QByteArray(3000, 'p'));

        // Delete asks, naming count and size, with Cancel first; then deletes for good.
        program.press(Qt::Key_Delete);
        auto* asked = openSheet<TrashConfirmSheet>();
        QVERIFY(asked);
        program.pressIn(asked, Qt::Key_Return); // Cancel
        program.waitForSheetsToClose();
        QCOMPARE(view.tableModel().rowCount(), 1);
        program.press(Qt::Key_Delete);
        confirmDeletion(program, u"Delete 1 item (5 bytes) for good? This cannot be undone."_s);
        QTRY_COMPARE(view.tableModel().rowCount(), 0);
        QVERIFY(tree.trashContents().isEmpty());
        QVERIFY(!tree.exists("home/notes.txt"));
        QCOMPARE(view.findChild<QLabel*>(u"trashView.summary"_s)->text(), u"The trash is empty"_s);

        // Trashed from a folder tab, the items show when the palette brings the trash tab
        // back, and E empties the trash after asking.
        program.press(Qt::Key_1, Qt::ControlModifier);
        // The tab is listed again as it becomes active; its rows are those of that listing.
        QTRY_VERIFY(!program.navigator().isLoading());
        QVERIFY(program.waitForListing(u"go.txt"_s));
        for (const QString& name : {u"go.txt"_s, u"stay.txt"_s}) {
            program.selectRow(name);
            program.press(Qt::Key_Space);
        }
        program.type(u"d"_s);
        auto* trashing = openSheet<DeleteConfirmSheet>();
        QVERIFY(trashing);
        program.pressIn(trashing, Qt::Key_Return);
        QTRY_COMPARE(tree.trashContents().size(), 4);
        program.press(Qt::Key_K, Qt::ControlModifier);
        CommandPaletteStore& palette = *program.app->bootstrapped()->commandPaletteStore;
        QTRY_VERIFY(palette.isPresented());
        program.type(u"show trash"_s);
        QCOMPARE(palette.items().first().title, u"Show trash"_s);
        program.press(Qt::Key_Return);
        QTRY_COMPARE(view.tableModel().rowCount(), 2);
        QCOMPARE(program.appState().tabCount(), 2);
        program.type(u"E"_s);
        confirmDeletion(program, u"Empty the trash? Its 2 items (6 bytes) will be deleted for good. "
                                 "This cannot be undone."_s);
        QTRY_COMPARE(view.tableModel().rowCount(), 0);
        QVERIFY(tree.trashContents().isEmpty());
        QVERIFY(!tree.exists("home/go.txt") && !tree.exists("home/stay.txt"));

        // The session keeps the trash tab; a file written before trash tabs still loads.
        const Session session = program.appState().makeSession();
        QVERIFY(session.tabs[1].isTrash && !session.tabs[0].isTrash);
        QCOMPARE(SessionJson::decode(SessionJson::encode(session)), session);
        QJsonObject old = SessionJson::encodeTab(session.tabs[0]);
        QVERIFY(!old.contains(u"kind"_s));
        QCOMPARE(SessionJson::decodeTab(old), session.tabs[0]);
    }
};

QTEST_MAIN(TrashViewTest)
#include "TrashViewTest.moc"
