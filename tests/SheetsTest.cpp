#include "models/errors/OperationErrorText.h"
#include "models/paths/FilePath.h"
#include "models/paths/NameChecks.h"
#include "models/tabs/AppState.h"
#include "platform/PlatformError.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FakeFileOpener.h"
#include "support/FaultInjectingCalls.h"
#include "support/SheetFixture.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/sheets/CreateItemSheet.h"
#include "views/sheets/DeleteConfirmSheet.h"
#include "views/sheets/RenameSheet.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QtTest>

#include <cerrno>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

struct Fixture : SheetFixture {
    QStringList listedNames() {
        QStringList names;
        for (const FileItem& item : active().items())
            names.append(item.name);
        return names;
    }
};

void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

} // namespace

// The sheets driven by keys as the user drives them, checked on disk afterwards.
class SheetsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LanguageEnvironment> m_language;

private Q_SLOTS:
    void initTestCase() {
        // Real texts, so the formatted messages are checked with their arguments in place.
        m_language = std::make_unique<LanguageEnvironment>(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // The cases the sheets below do not walk through.
    void nameChecksFollowTheirRulesInOrder() {
        QCOMPARE(renameNameCheck(u"  "_s, u"a"_s), RenameNameCheck::valid);                // not trimmed
        QCOMPARE(renameNameCheck(u"a:b"_s, u"a:b"_s), RenameNameCheck::invalidCharacters); // before unchanged
        QCOMPARE(renameNameCheck(u"A"_s, u"a"_s), RenameNameCheck::valid);

        const QSet<QString> names{u"x"_s, u" y"_s};
        QCOMPARE(createNameCheck(u" \t\u00a0\u3000"_s, names), CreateNameCheck::empty);
        QCOMPARE(createNameCheck(u"\n"_s, names), CreateNameCheck::ok); // a line break is no blank
        QCOMPARE(createNameCheck(u"a"_s + QChar(0), names), CreateNameCheck::invalidCharacter);
        QCOMPARE(createNameCheck(u"y"_s, names), CreateNameCheck::ok); // compared untrimmed
        QCOMPARE(trimmedBlanks(u"\u3000 a b\t\u00a0"_s), u"a b"_s);
    }

    void renameSheetRenamesOnlyWhatTheUserChanged() {
        Fixture f;
        f.tree.writeFile("tree/a.txt", "a");
        f.tree.writeFile("tree/b.txt", "b");
        f.tree.writeFile("tree/bad\xff.txt", "hostile");
        f.openTree();

        {
            // Left as shown, even with escaped bytes shown as U+FFFD: closes, renames nothing.
            RenameSheet sheet(f.tree.path("tree/bad\xff.txt"), f.state, f.service, &f.window);
            sheet.open();
            auto* field = part<QLineEdit>(sheet, u"nameField"_s);
            QCOMPARE(field->text(), u"bad\uFFFD.txt"_s);
            QCOMPARE(sheet.focusWidget(), field);
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(!sheet.isVisible());
            QCOMPARE(f.calls->count(Primitive::Rename), 0);
            QCOMPARE(f.tree.readFile("tree/bad\xff.txt"), QByteArray("hostile"));
        }

        RenameSheet sheet(f.tree.path("tree/a.txt"), f.state, f.service, &f.window);
        sheet.open();
        auto* field = part<QLineEdit>(sheet, u"nameField"_s);
        for (const QString& refused : {u"x:y"_s, u"x/y"_s, QString()}) {
            retype(field, refused);
            QVERIFY(!confirmOf(sheet)->isEnabled());
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(sheet.isVisible());
        }
        QCOMPARE(f.calls->count(Primitive::Rename), 0);

        // A taken name: the collision message, the sheet open with the name still typed.
        retype(field, u"b.txt"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_COMPARE(errorOf(sheet), std::optional(OperationErrorText::of(RenameError::collision())));
        QVERIFY(sheet.isVisible());
        QCOMPARE(field->text(), u"b.txt"_s);
        QCOMPARE(f.tree.readFile("tree/a.txt"), QByteArray("a"));
        QCOMPARE(f.tree.readFile("tree/b.txt"), QByteArray("b"));

        retype(field, u"c.txt"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(f.tree.readFile("tree/c.txt"), QByteArray("a"));
        QVERIFY(!f.tree.exists("tree/a.txt"));
        QTRY_VERIFY(f.listedNames().contains(u"c.txt"_s));

        // Escape leaves the entry alone.
        RenameSheet cancelled(f.tree.path("tree/c.txt"), f.state, f.service, &f.window);
        cancelled.open();
        retype(part<QLineEdit>(cancelled, u"nameField"_s), u"d.txt"_s);
        QTest::keyClick(part<QLineEdit>(cancelled, u"nameField"_s), Qt::Key_Escape);
        QVERIFY(!cancelled.isVisible());
        QVERIFY(f.tree.exists("tree/c.txt"));
    }

    void createSheetChecksEveryKeystrokeAndKeepsTheNameAsTyped() {
        Fixture f;
        f.tree.writeFile("tree/listed", "");
        f.tree.writeFile("tree/.hidden", "kept");
        f.openTree();

        CreateItemSheet sheet(CreateItemKind::file, f.state, f.active(), &f.window);
        sheet.open();
        auto* field = part<QLineEdit>(sheet, u"nameField"_s);
        auto* check = part<QLabel>(sheet, u"nameCheck"_s);
        QCOMPARE(sheet.focusWidget(), field);
        QVERIFY(!confirmOf(sheet)->isEnabled()); // empty

        QTest::keyClicks(field, u"   "_s);
        QVERIFY(!confirmOf(sheet)->isEnabled());
        QVERIFY(check->isHidden());

        const QList<std::pair<QString, QString>> refused{{u"listed"_s, qtTrId("create.error.alreadyExists")},
                                                         {u"a/b"_s, qtTrId("create.error.invalidChar")}};
        for (const auto& [name, message] : refused) {
            retype(field, name);
            QVERIFY(!check->isHidden());
            QCOMPARE(check->text(), message);
            QVERIFY(!confirmOf(sheet)->isEnabled());
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(sheet.isVisible());
        }

        retype(field, u"a:b"_s);
        QVERIFY(check->isHidden());
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!sheet.isVisible());
        QVERIFY(f.tree.exists("tree/a:b"));
        QTRY_VERIFY(f.listedNames().contains(u"a:b"_s));

        // An unlisted hidden entry passes the check; the platform then refuses to replace
        // it, and its description is shown in place.
        CreateItemSheet folder(CreateItemKind::folder, f.state, f.active(), &f.window);
        folder.open();
        auto* folderField = part<QLineEdit>(folder, u"nameField"_s);
        QTest::keyClicks(folderField, u".hidden"_s);
        QVERIFY(confirmOf(folder)->isEnabled());
        QTest::keyClick(folderField, Qt::Key_Return);
        QTRY_COMPARE(errorOf(folder), std::optional(PlatformError(EEXIST, {}).description()));
        QVERIFY(folder.isVisible());
        QCOMPARE(f.tree.readFile("tree/.hidden"), QByteArray("kept"));

        // Surrounding blanks are part of the name.
        retype(folderField, u" New "_s);
        QTest::keyClick(folderField, Qt::Key_Return);
        QTRY_VERIFY(!folder.isVisible());
        QVERIFY(f.tree.exists("tree/ New /"));
    }

    void deleteSheetShowsARolledBackFailureAndCannotBeLeftWhileTrashing() {
        Fixture f;
        for (const char* name : {"tree/a", "tree/b", "tree/c"})
            f.tree.writeFile(name, name);
        f.openTree();
        for (const QString& name : {u"a"_s, u"b"_s})
            f.active().toggleMark(FilePath::appending(f.active().currentPath(), name));

        DeleteConfirmSheet sheet(2, f.state, &f.window);
        sheet.open();
        QCOMPARE(part<QLabel>(sheet, u"message"_s)->text(), u"Move 2 marked items to the trash?"_s);
        auto* cancel = part<QPushButton>(sheet, u"cancelButton"_s);
        auto* progress = part<QProgressBar>(sheet, u"progress"_s);

        // The second item is refused: the first comes back out of the trash.
        const TreeSnapshot before = TreeSnapshot::of(f.tree.bytes("tree"));
        f.calls->failOn(Primitive::Rename, 2, EACCES);
        QTest::keyClick(&sheet, Qt::Key_Return);
        QTRY_COMPARE(errorOf(sheet),
                     std::optional(OperationErrorText::of(DeleteError::permissionDenied(u"b"_s))));
        QVERIFY(sheet.isVisible());
        QVERIFY(!sheet.isDeleting());
        QVERIFY(cancel->isEnabled() && confirmOf(sheet)->isEnabled());
        QVERIFY(progress->isHidden());
        const TreeSnapshot after = TreeSnapshot::of(f.tree.bytes("tree"));
        QVERIFY2(after == before, qPrintable(after.differenceFrom(before)));
        QVERIFY(f.tree.trashContents().isEmpty());

        // While the trash runs, both buttons are off and Escape does not close the sheet.
        f.calls->reset();
        QSemaphore gate;
        // A failed check returns early; the worker must not be left waiting at the gate.
        const auto openGate = qScopeGuard([&gate] { gate.release(100); });
        f.calls->setHook([&gate](Primitive primitive, const char*) {
            if (primitive == Primitive::Rename)
                gate.acquire();
            return 0;
        });
        QTest::keyClick(&sheet, Qt::Key_Return);
        QVERIFY(sheet.isDeleting());
        QVERIFY(!cancel->isEnabled() && !confirmOf(sheet)->isEnabled());
        QVERIFY(!progress->isHidden());
        QVERIFY(!errorOf(sheet));
        QTest::keyClick(&sheet, Qt::Key_Escape);
        QVERIFY(sheet.isVisible());
        gate.release(100); // more than the renames the trash makes
        QTRY_VERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QVERIFY(!f.tree.exists("tree/a") && !f.tree.exists("tree/b"));
        QList<QByteArray> trashed = f.tree.trashContents();
        std::sort(trashed.begin(), trashed.end());
        QCOMPARE(trashed, (QList<QByteArray>{"files/a", "files/b", "info/a.trashinfo", "info/b.trashinfo"}));
        QCOMPARE(f.listedNames(), QStringList{u"c"_s});
    }

    void conflictSheetTurnsChoicesIntoResolutions() {
        QList<QList<ConflictResolution>> received;
        std::optional<QString> reply;
        auto onResolve = [&](QList<ConflictResolution> resolutions) -> QCoro::Task<std::optional<QString>> {
            received.append(resolutions);
            co_return reply;
        };
        const QStringList conflicts{u"/src/a"_s, u"/src/b"_s, u"/src/c"_s};

        // Untouched, every conflict is skipped.
        {
            ConflictResolutionSheet sheet(conflicts, u"dest"_s, onResolve);
            sheet.open();
            QCOMPARE(part<QLabel>(sheet, u"message"_s)->text(),
                     u"3 items with the same names already exist in “dest”. Choose what to do with each."_s);
            QCOMPARE(sheet.focusWidget(), part(sheet, u"conflict.choice.0"_s));
            QTest::keyClick(sheet.focusWidget(), Qt::Key_Return);
            QTRY_VERIFY(!sheet.isVisible());
            QCOMPARE(received.takeFirst(), QList<ConflictResolution>(3, ConflictResolution::skip()));
        }

        ConflictResolutionSheet sheet(conflicts, QString(), onResolve);
        sheet.open();
        QCOMPARE(part<QLabel>(sheet, u"message"_s)->text(),
                 u"3 items with the same names already exist. Choose what to do with each."_s);
        auto* confirm = confirmOf(sheet);
        auto key = [&sheet](Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(sheet.focusWidget(), k, modifiers);
        };
        key(Qt::Key_Up); // a: skip -> overwrite
        key(Qt::Key_Tab);
        QCOMPARE(sheet.focusWidget(), part(sheet, u"conflict.choice.1"_s)); // no field for a
        key(Qt::Key_Down);                                                  // b: skip -> rename
        auto* newNameB = part<QLineEdit>(sheet, u"conflict.newName.1"_s);
        QVERIFY(newNameB->isVisible());
        QCOMPARE(newNameB->text(), u"b"_s);
        key(Qt::Key_Tab);
        QCOMPARE(sheet.focusWidget(), newNameB);

        // A blank new name blocks confirming only while its row is renaming.
        retype(newNameB, u"  "_s);
        newNameB->insert(u"\u3000"_s); // keys are typed as Latin-1 only
        QVERIFY(!confirm->isEnabled());
        key(Qt::Key_Return);
        QVERIFY(received.isEmpty());
        key(Qt::Key_Tab, Qt::ShiftModifier);
        key(Qt::Key_Up); // b: rename -> skip
        QVERIFY(newNameB->isHidden());
        QVERIFY(confirm->isEnabled());
        key(Qt::Key_Down);
        QVERIFY(!confirm->isEnabled());
        key(Qt::Key_Tab);
        retype(newNameB, u"  b 2"_s);
        newNameB->insert(u"\t"_s); // typed, it would move the focus
        QVERIFY(confirm->isEnabled());

        key(Qt::Key_Tab);
        QCOMPARE(sheet.focusWidget(), part(sheet, u"conflict.choice.2"_s));
        key(Qt::Key_Down); // c: renamed to its own name, left for the transfer to refuse
        reply = u"taken"_s;
        key(Qt::Key_Return);
        QTRY_COMPARE(errorOf(sheet), std::optional(u"taken"_s));
        const QList<ConflictResolution> expected{ConflictResolution::overwrite(),
                                                 ConflictResolution::rename(u"b 2"_s),
                                                 ConflictResolution::rename(u"c"_s)};
        QCOMPARE(received.takeFirst(), expected);
        QVERIFY(sheet.isVisible());
        QVERIFY(confirm->isEnabled() && !sheet.isProcessing());
        QCOMPARE(sheet.resolutions(), expected); // choices and inputs stay

        reply.reset();
        key(Qt::Key_Return);
        QTRY_VERIFY(!sheet.isVisible());
        QCOMPARE(received.takeFirst(), expected);

        ConflictResolutionSheet empty({}, QString(), onResolve);
        QVERIFY(!confirmOf(empty)->isEnabled());
    }
};

QTEST_MAIN(SheetsTest)
#include "SheetsTest.moc"
