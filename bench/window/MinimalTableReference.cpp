// The reference for the window benchmark: the least a Qt program does to show a folder
// in a table. It shows its window and, once it is exposed, lists the folder on the UI thread with
// QDirIterator into a small table model (name, date modified, size, kind), sorts the
// rows by name with a numeric QCollator, and lets a plain QTableView paint them. It
// reports the same figures as the Quillmere run, through the same probe.

#include "WindowProbe.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCollator>
#include <QDateTime>
#include <QDirIterator>
#include <QHeaderView>
#include <QLocale>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillmere::bench;

namespace {

struct Row {
    QString name;
    QDateTime modified;
    qint64 size;
    bool isFolder;
    QString kind;
};

class RowModel final : public QAbstractTableModel {
public:
    void setRows(std::vector<Row> rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const Row& row = m_rows[size_t(index.row())];
        switch (index.column()) {
        case 0: return row.name;
        case 1: return QLocale().toString(row.modified, QLocale::ShortFormat);
        case 2: return row.isFolder ? QString() : QLocale().formattedDataSize(row.size);
        case 3: return row.kind;
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Name", "Date Modified", "Size", "Kind"};
        return QString::fromLatin1(titles[section]);
    }

private:
    std::vector<Row> m_rows;
};

std::vector<Row> list(const QString& folder) {
    std::vector<Row> rows;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo info = entries.fileInfo();
        const bool isFolder = info.isDir();
        const QString suffix = info.suffix();
        QString kind = isFolder           ? QStringLiteral("Folder")
                       : suffix.isEmpty() ? QStringLiteral("File")
                                          : suffix.toUpper();
        rows.push_back({info.fileName(), info.lastModified(), info.size(), isFolder, std::move(kind)});
    }
    return rows;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const double started = WindowProbe::processStart();
    PaintWatch watch;

    RowModel model;
    QTableView view;
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.horizontalHeader()->setStretchLastSection(true);
    view.resize(1100, 680);
    view.show();

    double listingStarted = 0;
    double listed = 0;
    double sorted = 0;
    // Listed once the window is on screen, as Quillmere lists after showing its window.
    while (watch.exposedAt() < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QTimer::singleShot(0, &view, [&] {
        listingStarted = WindowProbe::now();
        std::vector<Row> rows = list(folder);
        listed = WindowProbe::now();
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(rows.begin(), rows.end(),
                  [&collator](const Row& a, const Row& b) { return collator.compare(a.name, b.name) < 0; });
        sorted = WindowProbe::now();
        model.setRows(std::move(rows));
        view.setCurrentIndex(model.index(0, 0));
    });
    const int expected = argc > 2 ? std::atoi(argv[2]) : 1;
    if (!watch.waitForPaint([&] { return model.rowCount() >= expected; }, 60000)) {
        std::fprintf(stderr, "the rows were never painted\n");
        return 1;
    }
    const double shown = watch.lastPaintEnd();
    WindowProbe::report("exposed", watch.exposedAt() - started);
    WindowProbe::report("firstFrame", watch.firstFrameAt() - started);
    WindowProbe::report("shown", shown - started);
    WindowProbe::report("shownFromListing", shown - listingStarted);
    WindowProbe::report("listing", listed - listingStarted);
    WindowProbe::report("sorting", sorted - listed);
    WindowProbe::report("rows", model.rowCount());
    WindowProbe::report("rssShownKiB", double(WindowProbe::residentKiB()));
    WindowProbe::settle(300);
    WindowProbe::report("rssSettledKiB", double(WindowProbe::residentKiB()));

    view.activateWindow();
    view.setFocus();
    WindowProbe::settle(100);
    std::vector<double> down;
    for (int i = 0; i < 20; ++i) {
        down.push_back(watch.keyToPaint(view, Qt::Key_Down, QString()));
        WindowProbe::settle(20);
    }
    WindowProbe::report("keyDown", median(down));
    WindowProbe::report("keyDownMax", *std::max_element(down.begin(), down.end()));
    return 0;
}
