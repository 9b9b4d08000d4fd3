#include "views/table/FileListModel.h"
#include "models/listing/FileOrdering.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

QStringList column(const FileListModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.data(model.index(row, column)).toString());
    return texts;
}

} // namespace

// The table over a listing stays a well-formed model whatever it is given; the
// model tester checks every change against Qt's rules for item models.
class FileListModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void staysWellFormedThroughAListingAResetAndASort() {
        TemporaryTree tree;
        tree.makeFolder("tree/c");
        tree.writeFile("tree/a.md", "1");
        tree.writeFile("tree/bad\xFF.txt", "22");
        tree.writeFile("tree/b.txt", "333");
        FileListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

        DefaultFileSystemService service;
        QList<FileItem> items = await(service.listDirectory(tree.path("tree"), false));
        sortItems(items, SortKey::size, SortDirection::ascending);
        model.setItems(items);
        QCOMPARE(model.columnCount(), FileListModel::columns);
        QCOMPARE(column(model, FileListModel::name),
                 (QStringList{u"c"_s, u"a.md"_s, u"bad\uFFFD.txt"_s, u"b.txt"_s}));
        QCOMPARE(column(model, FileListModel::kind),
                 (QStringList{u"Folder"_s, u"Markdown"_s, u"Plain Text"_s, u"Plain Text"_s}));
        QCOMPARE(model.data(model.index(0, FileListModel::size)).toString(), u"--"_s);

        model.setItems({});
        QCOMPARE(model.rowCount(), 0);

        sortItems(items, SortKey::size, SortDirection::descending);
        model.setItems(items);
        QCOMPARE(column(model, FileListModel::name),
                 (QStringList{u"b.txt"_s, u"bad\uFFFD.txt"_s, u"a.md"_s, u"c"_s}));
        QCOMPARE(resets.size(), 3);
    }
};

QTEST_GUILESS_MAIN(FileListModelTest)
#include "FileListModelTest.moc"
