// A keystroke in the command palette over 25 commands, 1,000 recent folders and 1,000
// bookmarks: the store's rebuild alone, and the whole keystroke as the window sees it
// (the query field, the rebuild, the model reset and the repaint of the rows in sight).

#include "RatioReporter.h"
#include "models/tabs/AppState.h"
#include "services/desktop/FileOpener.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/PersistenceService.h"
#include "views/palette/CommandPaletteView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

#include <benchmark/benchmark.h>

#include <array>

using namespace Qt::StringLiterals;

namespace quillmere::bench {
namespace {

constexpr int folderCount = 1000;
// A frame at 60 Hz, rounded down.
constexpr double frameMilliseconds = 16.0;

// What the user types, one keystroke at a time: a letter that matches nearly every
// row, then narrower queries.
constexpr std::array<const char16_t*, 3> queries = {u"d", u"doc", u"prjsrc"};

class NoPersistence final : public PersistenceService {
public:
    QCoro::Task<std::optional<AppSettings>> loadAppSettings() override { co_return std::nullopt; }
    QCoro::Task<std::optional<QList<Bookmark>>> loadBookmarks() override { co_return std::nullopt; }
    QCoro::Task<std::optional<FolderSettingsMap>> loadFolderSettings() override { co_return std::nullopt; }
    QCoro::Task<std::optional<Session>> loadSession() override { co_return std::nullopt; }
    QCoro::Task<> saveAppSettings(AppSettings) override { co_return; }
    QCoro::Task<> saveBookmarks(QList<Bookmark>) override { co_return; }
    QCoro::Task<> saveFolderSettings(FolderSettingsMap) override { co_return; }
    QCoro::Task<> saveSession(Session) override { co_return; }
};

class NoOpener final : public FileOpener {
public:
    void open(const QString&) override {}
};

// Folder paths of the kind a user visits: a few areas, projects, their subfolders.
QString folderPath(int n) {
    static const std::array<QString, 6> areas = {u"Documents"_s, u"projects"_s, u"Music"_s,
                                                 u"Pictures"_s,  u"work"_s,     u"Downloads"_s};
    static const std::array<QString, 5> subfolders = {u"src"_s, u"docs"_s, u"build"_s, u"assets"_s,
                                                      u"2024 reports (final)"_s};
    return u"/home/user/"_s + areas[n % areas.size()] + u"/project-"_s + QString::number(n / 7) + u'/' +
           subfolders[n % subfolders.size()] + u'-' + QString::number(n);
}

struct Palette {
    Palette()
        : bookmarks(persistence)
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, files, nullptr, opener);
              },
              u"/home/user"_s, nullptr, files)
        , store(bookmarks, state, nullptr) {
        state.newTab(u"/home/user"_s);
        for (int n = 0; n < folderCount; ++n)
            state.activeTab()->navigator().navigate(folderPath(n));
        QList<Bookmark> marks;
        for (int n = 0; n < folderCount; ++n)
            marks.append({QUuid::createUuid(), folderPath(n * 13 + 5), QDateTime::fromSecsSinceEpoch(0)});
        bookmarks.setBookmarks(marks);
        window.resize(1000, 700);
        view = new CommandPaletteView(store, &window);
        window.show();
        store.open();
        field = view->findChild<QLineEdit*>(u"paletteQuery"_s);
        list = view->findChild<QListView*>(u"paletteList"_s);
    }

    NoPersistence persistence;
    DefaultFileSystemService files;
    NoOpener opener;
    BookmarkStore bookmarks;
    AppState state;
    CommandPaletteStore store;
    QWidget window;
    CommandPaletteView* view = nullptr;
    QLineEdit* field = nullptr;
    QListView* list = nullptr;
};

Palette& palette() {
    static Palette shared;
    return shared;
}

// Alternates between the query without its last letter and the whole query, so every
// iteration is one keystroke that changes the rows.
void rebuild(benchmark::State& state, QStringView query) {
    Palette& p = palette();
    const QString shorter = query.chopped(1).toString();
    const QString full = query.toString();
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        p.store.setQuery(typed ? full : shorter);
        benchmark::DoNotOptimize(p.store.items().data());
    }
    p.store.setQuery(full);
    state.counters["rows"] = double(p.store.items().size());
}

void keystroke(benchmark::State& state, QStringView query) {
    Palette& p = palette();
    p.field->setText(query.chopped(1).toString());
    p.store.setQuery(p.field->text());
    const QChar last = query.back();
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        QKeyEvent press(QEvent::KeyPress, typed ? Qt::Key_A : Qt::Key_Backspace, Qt::NoModifier,
                        typed ? QString(last) : QString());
        QApplication::sendEvent(p.field, &press);
        p.list->viewport()->repaint();
    }
    state.counters["rows"] = double(p.store.items().size());
}

} // namespace
} // namespace quillmere::bench

using namespace quillmere::bench;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::vector<RatioReporter::Pair> pairs;
    for (const char16_t* query : queries) {
        const QStringView view(query);
        const std::string label = view.toString().toStdString();
        benchmark::RegisterBenchmark(("palette_rebuild/" + label).c_str(), rebuild, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("palette_keystroke/" + label).c_str(), keystroke, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        pairs.push_back({"palette_keystroke/" + label, "", frameMilliseconds});
    }
    RatioReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
