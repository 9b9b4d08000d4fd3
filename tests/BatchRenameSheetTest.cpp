#include "views/sheets/BatchRenameSheet.h"
#include "models/errors/OperationErrorText.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FakeFileOpener.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/SheetFixture.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

#include <cerrno>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

struct Fixture : SheetFixture {

    // Lists "tree" and marks the given entries; they are numbered in listing order.
    void openTreeMarking(const QStringList& names) {
        openTree();
        for (const QString& name : names)
            active().toggleMark(FilePath::appending(active().currentPath(), name));
    }
    // The sheet as the main view opens it: the marked entries, the folder's names, and
    // the application state's batch rename reporting its error as the message.
    std::unique_ptr<BatchRenameSheet> sheet() {
        const QSet<QString> names = await(state.existingNames(active().currentPath()));
        auto onConfirm = [this](BatchRenameRule rule) -> QCoro::Task<std::optional<QString>> {
            try {
                co_await state.batchRename(std::move(rule));
            } catch (const BatchRenameError& error) {
                co_return OperationErrorText::of(error);
            }
            co_return std::nullopt;
        };
        auto sheet = std::make_unique<BatchRenameSheet>(active().markedItems(), names, onConfirm, &window);
        sheet->open();
        return sheet;
    }
};

// The preview as the user reads it: the new name of each row, and its message if any.
QStringList shownPreview(BatchRenameSheet& sheet) {
    auto* view = part<QTableView>(sheet, u"preview"_s);
    const QAbstractItemModel* model = view->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QString text = model->index(row, 3).data().toString();
        const QString message = model->index(row, 4).data().toString();
        if (!message.isEmpty())
            text += u" ("_s + message + u')';
        rows.append(text);
    }
    return rows;
}

void key(QDialog& sheet, Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(sheet.focusWidget(), k, modifiers);
}

// Replaces the focused field's text by typing.
void retype(QDialog& sheet, const QString& text) {
    auto* field = qobject_cast<QLineEdit*>(sheet.focusWidget());
    if (!field)
        qFatal("no field has the focus");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QString focusName(QDialog& sheet) {
    return sheet.focusWidget() ? sheet.focusWidget()->objectName() : QString();
}

} // namespace

// The batch rename sheet driven by keys as the user drives it, checked on disk afterwards.
class BatchRenameSheetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LanguageEnvironment> m_language;

private Q_SLOTS:
    void initTestCase() {
        m_language = std::make_unique<LanguageEnvironment>(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void numberFieldsReadPlainDecimalIntegersOnly() {
        QCOMPARE(BatchRenameSheet::integerOrZero(u" 7 "_s), 7);
        QCOMPARE(BatchRenameSheet::integerOrZero(u"\u3000+7\t"_s), 7);
        QCOMPARE(BatchRenameSheet::integerOrZero(u"-3"_s), -3);
        for (const QString& zero : {u"7a"_s, QString(), u"x"_s, u"-"_s, u"7\n"_s, u"\uFF17"_s, u"1 000"_s,
                                    u"9223372036854775808"_s})
            QCOMPARE(BatchRenameSheet::integerOrZero(zero), 0);
        QCOMPARE(BatchRenameSheet::integerOrZero(u"9223372036854775807"_s),
                 std::numeric_limits<qint64>::max());
        QCOMPARE(BatchRenameSheet::integerOrZero(u"-9223372036854775808"_s),
                 std::numeric_limits<qint64>::min());
    }

    void numberingRenamesTheMarkedEntriesInListingOrder() {
        Fixture f;
        for (const char* name : {"tree/a.jpg", "tree/b.jpg", "tree/c.txt", "tree/other"})
            f.tree.writeFile(name, name);
        f.openTreeMarking({u"c.txt"_s, u"b.jpg"_s, u"a.jpg"_s});
        auto sheet = f.sheet();
        QCOMPARE(part<QLabel>(*sheet, u"count"_s)->text(), u"3 items"_s);
        QCOMPARE(focusName(*sheet), u"sequentialBase"_s);
        QCOMPARE(shownPreview(*sheet), (QStringList{u"01.jpg"_s, u"02.jpg"_s, u"03.txt"_s}));
        QVERIFY(confirmOf(*sheet)->isEnabled());

        QTest::keyClicks(sheet->focusWidget(), u"photo_"_s);
        key(*sheet, Qt::Key_Tab);
        QCOMPARE(focusName(*sheet), u"sequentialStart"_s);
        retype(*sheet, u" 7 "_s);
        key(*sheet, Qt::Key_Tab);
        QCOMPARE(focusName(*sheet), u"sequentialDigits"_s);
        retype(*sheet, u"x"_s); // no leading zeros
        QCOMPARE(shownPreview(*sheet), (QStringList{u"photo_7.jpg"_s, u"photo_8.jpg"_s, u"photo_9.txt"_s}));
        retype(*sheet, u"3"_s);
        QCOMPARE(shownPreview(*sheet),
                 (QStringList{u"photo_007.jpg"_s, u"photo_008.jpg"_s, u"photo_009.txt"_s}));
        key(*sheet, Qt::Key_Tab);
        QCOMPARE(focusName(*sheet), u"preview"_s);
        key(*sheet, Qt::Key_Down); // the list scrolls by keys; Return still renames
        key(*sheet, Qt::Key_Return);
        QTRY_VERIFY(!sheet->isVisible());
        QCOMPARE(sheet->result(), int(QDialog::Accepted));

        QCOMPARE(f.tree.readFile("tree/photo_007.jpg"), QByteArray("tree/a.jpg"));
        QCOMPARE(f.tree.readFile("tree/photo_008.jpg"), QByteArray("tree/b.jpg"));
        QCOMPARE(f.tree.readFile("tree/photo_009.txt"), QByteArray("tree/c.txt"));
        QCOMPARE(TemporaryTree::namesIn(f.tree.bytes("tree")).size(), 4);
        QTRY_COMPARE(namesOf(f.active().items()).size(), 4);
        QVERIFY(namesOf(f.active().items()).contains(u"photo_007.jpg"_s));
    }

    void unusableNamesAreShownPerRowAndBlockTheRename() {
        Fixture f;
        for (const char* name : {"tree/ab", "tree/ba", "tree/taken", "tree/cd"})
            f.tree.writeFile(name, name);
        f.openTreeMarking({u"ab"_s, u"ba"_s});
        const TreeSnapshot before = TreeSnapshot::of(f.tree.bytes("tree"));
        auto sheet = f.sheet();
        auto* kinds = part<QTabBar>(*sheet, u"ruleKind"_s);
        QTest::keyClicks(sheet->focusWidget(), u"n"_s); // kept while other kinds are shown

        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(*sheet), u"ruleKind"_s);
        key(*sheet, Qt::Key_Right);
        QCOMPARE(sheet->kind(), BatchRenameSheet::RuleKind::replace);
        QCOMPARE(focusName(*sheet), u"ruleKind"_s); // switching keeps the focus on the kinds
        // An empty find string leaves every name as it is, which is allowed.
        QCOMPARE(shownPreview(*sheet), (QStringList{u"ab"_s, u"ba"_s}));
        QVERIFY(confirmOf(*sheet)->isEnabled());

        key(*sheet, Qt::Key_Tab);
        QCOMPARE(focusName(*sheet), u"replaceFind"_s);
        QTest::keyClicks(sheet->focusWidget(), u"b"_s);
        key(*sheet, Qt::Key_Tab);
        QTest::keyClicks(sheet->focusWidget(), u"x/"_s);
        const QString invalidName = u"Name cannot be used"_s;
        QCOMPARE(shownPreview(*sheet),
                 (QStringList{u"ax/ ("_s + invalidName + u')', u"x/a ("_s + invalidName + u')'}));
        QVERIFY(!confirmOf(*sheet)->isEnabled());
        retype(*sheet, u"a"_s); // ab -> aa, ba -> aa
        QCOMPARE(shownPreview(*sheet), (QStringList{u"aa (Duplicate name)"_s, u"aa (Duplicate name)"_s}));
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        retype(*sheet, u"ab"_s);
        key(*sheet, Qt::Key_Tab);
        retype(*sheet, u"taken"_s); // ab -> taken, ba unchanged
        QCOMPARE(shownPreview(*sheet), (QStringList{u"taken (Name already in use)"_s, u"ba"_s}));
        QVERIFY(!confirmOf(*sheet)->isEnabled());
        key(*sheet, Qt::Key_Return);

        // The two names exchanged by one regular expression: each new name is the other
        // entry's present one, which the batch renames away, so the swap can be applied.
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier); // past the hidden fields of the other kinds
        QCOMPARE(focusName(*sheet), u"ruleKind"_s);
        key(*sheet, Qt::Key_Right);
        key(*sheet, Qt::Key_Right);
        QCOMPARE(sheet->kind(), BatchRenameSheet::RuleKind::regex);
        key(*sheet, Qt::Key_Tab);
        QCOMPARE(focusName(*sheet), u"regexPattern"_s);
        QTest::keyClicks(sheet->focusWidget(), u"("_s);
        QCOMPARE(shownPreview(*sheet),
                 (QStringList{u"ab (Invalid regular expression)"_s, u"ba (Invalid regular expression)"_s}));
        QVERIFY(!confirmOf(*sheet)->isEnabled());
        QTest::keyClicks(sheet->focusWidget(), u".)(.)"_s);
        key(*sheet, Qt::Key_Tab);
        QTest::keyClicks(sheet->focusWidget(), u"$2$1"_s);
        QCOMPARE(sheet->rule(), BatchRenameRule::regex(u"(.)(.)"_s, u"$2$1"_s));
        QCOMPARE(shownPreview(*sheet), (QStringList{u"ba"_s, u"ab"_s}));
        QVERIFY(confirmOf(*sheet)->isEnabled());

        // What was typed for the other kinds is still there.
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(sheet->focusWidget(), kinds);
        key(*sheet, Qt::Key_Left);
        QCOMPARE(sheet->rule(), BatchRenameRule::affix(QString(), QString()));
        key(*sheet, Qt::Key_Left);
        QCOMPARE(sheet->rule(), BatchRenameRule::replace(u"ab"_s, u"taken"_s));
        key(*sheet, Qt::Key_Left);
        QCOMPARE(sheet->rule(), BatchRenameRule::sequential(u"n"_s, 1, 2));
        QCOMPARE(shownPreview(*sheet), (QStringList{u"n01"_s, u"n02"_s}));

        key(*sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(sheet->result(), int(QDialog::Rejected));
        QCOMPARE(before.changesIn(f.tree.bytes("tree")), QString());
        QCOMPARE(f.calls->count(Primitive::Rename), 0);
    }

    void aFailedRenameIsShownInPlaceWithEveryNameBack() {
        Fixture f;
        for (const char* name : {"tree/a.txt", "tree/b.txt", "tree/c.txt"})
            f.tree.writeFile(name, name);
        f.openTreeMarking({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
        const TreeSnapshot before = TreeSnapshot::of(f.tree.bytes("tree"));
        auto sheet = f.sheet();
        auto* cancel = part<QPushButton>(*sheet, u"cancelButton"_s);
        auto* progress = part<QProgressBar>(*sheet, u"progress"_s);
        key(*sheet, Qt::Key_Tab, Qt::ShiftModifier);
        key(*sheet, Qt::Key_Right);
        key(*sheet, Qt::Key_Right); // affix
        key(*sheet, Qt::Key_Tab);
        QTest::keyClicks(sheet->focusWidget(), u"x-"_s);

        // The second entry cannot be moved aside: the first comes back from its
        // temporary name and the error names the second by its old name.
        f.calls->failOn(Primitive::Rename, 2, EACCES);
        key(*sheet, Qt::Key_Return);
        QTRY_COMPARE(errorOf(*sheet),
                     std::optional(OperationErrorText::of(BatchRenameError::permissionDenied(u"b.txt"_s))));
        QVERIFY(sheet->isVisible());
        QVERIFY(!sheet->isProcessing());
        QVERIFY(cancel->isEnabled() && confirmOf(*sheet)->isEnabled());
        QVERIFY(progress->isHidden());
        QCOMPARE(sheet->rule(), BatchRenameRule::affix(u"x-"_s, QString()));
        QCOMPARE(before.changesIn(f.tree.bytes("tree")), QString());

        // While the rename runs both buttons are off and Escape does not close the sheet.
        f.calls->reset();
        QSemaphore gate;
        const auto openGate = qScopeGuard([&gate] { gate.release(100); });
        f.calls->setHook([&gate](Primitive primitive, const char*) {
            if (primitive == Primitive::Rename)
                gate.acquire();
            return 0;
        });
        key(*sheet, Qt::Key_Return);
        QVERIFY(sheet->isProcessing());
        QVERIFY(!cancel->isEnabled() && !confirmOf(*sheet)->isEnabled());
        QVERIFY(!progress->isHidden());
        QVERIFY(!errorOf(*sheet));
        QVERIFY(qobject_cast<QLineEdit*>(part(*sheet, u"affixPrefix"_s))->isReadOnly());
        QTest::keyClick(sheet.get(), Qt::Key_Escape);
        QVERIFY(sheet->isVisible());
        gate.release(100);
        QTRY_VERIFY(!sheet->isVisible());
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QCOMPARE(f.tree.readFile("tree/x-b.txt"), QByteArray("tree/b.txt"));
        QCOMPARE(TemporaryTree::namesIn(f.tree.bytes("tree")).size(), 3);
    }

    void aLargeBatchIsPreviewedOffTheThreadWithStaleRowsDropped() {
        const qsizetype count = BatchRenameSheet::largestImmediatePreview * 3;
        QList<FileItem> items;
        QSet<QString> names;
        for (qsizetype i = 0; i < count; ++i) {
            items.append(fileItem(u"/folder"_s, u"IMG_%1.JPG"_s.arg(i)));
            names.insert(items.last().name);
        }
        QList<BatchRenameRule> confirmed;
        auto onConfirm = [&confirmed](BatchRenameRule rule) -> QCoro::Task<std::optional<QString>> {
            confirmed.append(rule);
            co_return std::nullopt;
        };
        QWidget window;
        window.show();
        BatchRenameSheet sheet(items, names, onConfirm, &window);
        sheet.open();
        QTRY_VERIFY(sheet.isPreviewCurrent());
        QCOMPARE(sheet.previewRows().size(), count);
        QCOMPARE(sheet.previewRows().last().newName, u"%1.JPG"_s.arg(count));

        // Typed faster than previewed: the rename waits for the rows of the last rule.
        QSignalSpy updates(&sheet, &BatchRenameSheet::previewUpdated);
        QTest::keyClicks(sheet.focusWidget(), u"photo"_s);
        QVERIFY(!sheet.isPreviewCurrent());
        QVERIFY(!confirmOf(sheet)->isEnabled());
        key(sheet, Qt::Key_Return);
        QVERIFY(confirmed.isEmpty());
        QTRY_VERIFY(sheet.isPreviewCurrent());
        QCOMPARE(updates.size(), 1);
        QCOMPARE(sheet.previewRows().first().newName, u"photo01.JPG"_s);
        QCOMPARE(shownPreview(sheet).last(), u"photo%1.JPG"_s.arg(count));
        key(sheet, Qt::Key_Return);
        QTRY_VERIFY(!sheet.isVisible());
        QCOMPARE(confirmed, QList{BatchRenameRule::sequential(u"photo"_s, 1, 2)});
    }
};

QTEST_MAIN(BatchRenameSheetTest)
#include "BatchRenameSheetTest.moc"
