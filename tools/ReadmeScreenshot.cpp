// Renders the real window over a demo folder into a PNG, for the README:
//   QT_QPA_PLATFORM=offscreen quillmere_screenshot OUT.png [ja|en] [main|palette|batch|progress|trash]
// Everything lives in a temporary home, so the user's own files and settings are
// never read or written. The progress scene slows the copy's chunks down, so that the
// strip has something to show, and queues a trash behind it. The trash scene trashes a
// few files and shows the trash tab.
#include "app/QuillmereApp.h"
#include "models/navigation/Navigator.h"
#include "models/operations/OperationQueue.h"
#include "models/tabs/AppState.h"
#include "platform/SystemCalls.h"
#include "services/desktop/VolumeMonitor.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/AppSettingsStore.h"
#include "views/common/SystemIcon.h"
#include "views/shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace Qt::StringLiterals;
using namespace quillmere;

namespace {

void write(const QString& path, qsizetype size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray(size, 'x'));
}

// A home folder that looks lived in: folders, documents, a photo, a Japanese name.
QString makeDemoHome(const QString& root) {
    const QString home = root + u"/home/ann"_s;
    for (const char* folder : {"Documents", "Music", "Pictures", "Projects", "Downloads"})
        QDir().mkpath(home + u'/' + QString::fromUtf8(folder));
    const std::pair<const char*, qsizetype> files[] = {
        {"notes.md", 2'400},
        {"todo.txt", 310},
        {"report-2026.pdf", 1'850'000},
        {"budget.ods", 48'000},
        {"IMG_2041.JPG", 3'400'000},
        {"archive.tar.gz", 12'500'000},
        {"議事録 12月.txt", 5'200},
        {"README", 900},
        {".profile", 800},
    };
    for (const auto& [name, size] : files)
        write(home + u'/' + QString::fromUtf8(name), size);
    return home;
}

// The real calls, with every chunk of a content copy taking a quarter of a second, as
// on a slow network disk.
class SlowCopies final : public SystemCalls {
protected:
    int intercept(Primitive primitive, const char* path) override {
        if (primitive == Primitive::CopyRange)
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        return SystemCalls::intercept(primitive, path);
    }
};

// The scene does not look at how its operations end (quitting cancels them).
QCoro::Task<> quietly(QCoro::Task<> operation) {
    try {
        co_await operation;
    } catch (...) {
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: quillmere_screenshot OUT.png [ja|en] [main|palette|batch|progress|trash]\n",
                   stderr);
        return 2;
    }
    QTemporaryDir root;
    const QString home = makeDemoHome(root.path());
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.path() + u"/config"_s));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.path() + u"/data"_s));

    QApplication application(argc, argv);
    SystemIcon::ensureTheme();
    const QString output = QString::fromLocal8Bit(argv[1]);
    const bool japanese = argc > 2 && qstrcmp(argv[2], "ja") == 0;
    const QByteArray scene = argc > 3 ? QByteArray(argv[3]) : QByteArray("main");

    AppServices services = AppServices::defaults();
    // The pictures show the demo home, not the drives of the machine they are made on.
    services.volumeMonitor.reset();
    if (scene == "progress") {
        write(home + u"/holiday.mp4"_s, 90'000'000);
        services.fileSystem = std::make_unique<DefaultFileSystemService>(std::make_shared<SlowCopies>(),
                                                                         root.path() + u"/state"_s);
    }
    QuillmereApp app(std::move(services));
    app.window().resize(1180, 640);
    app.window().show();
    int status = 1;
    bool staged = false;
    QObject::connect(&app, &QuillmereApp::started, &app, [&] {
        app.appSettingsStore().setLanguage(japanese ? AppLanguage::ja : AppLanguage::en);
        Navigator& navigator = app.bootstrapped()->appState->activeTab()->navigator();
        QObject::connect(&navigator, &Navigator::itemsChanged, &app, [&] {
            if (navigator.items().isEmpty())
                return;
            if (scene == "trash") {
                if (staged)
                    return;
                staged = true;
                AppState& appState = *app.bootstrapped()->appState;
                for (const char* name :
                     {"notes.md", "report-2026.pdf", "IMG_2041.JPG", "議事録 12月.txt", "Music"})
                    navigator.toggleMark(home + u'/' + QString::fromUtf8(name));
                [[maybe_unused]] auto trashing = quietly(appState.deleteMarked());
                QTimer::singleShot(300, &app, [&appState] { appState.showTrash(); });
                QTimer::singleShot(1200, &app, [&] {
                    const QRect frame = app.window().frameGeometry();
                    const QPixmap shot = app.window().screen()->grabWindow(0, frame.x(), frame.y(),
                                                                           frame.width(), frame.height());
                    status = shot.save(output) ? 0 : 1;
                    [[maybe_unused]] auto ending = app.terminate();
                });
                return;
            }
            if (navigator.markedItemIDs().isEmpty()) {
                for (const char* name : {"notes.md", "report-2026.pdf", "todo.txt"})
                    navigator.toggleMark(home + u'/' + QString::fromUtf8(name));
                navigator.setSelectedItemID(home + u"/Projects"_s);
                if (scene == "palette") {
                    app.bootstrapped()->commandPaletteStore->open();
                    app.bootstrapped()->commandPaletteStore->setQuery(u"sort"_s);
                } else if (scene == "batch") {
                    app.bootstrapped()->commandPaletteStore->keyCommandDispatch()(
                        KeyCommand::Case::renameSelection);
                } else if (scene == "progress") {
                    AppState& appState = *app.bootstrapped()->appState;
                    navigator.toggleMark(home + u"/holiday.mp4"_s);
                    navigator.toggleMark(home + u"/archive.tar.gz"_s);
                    [[maybe_unused]] auto copying = quietly(appState.copyMarked(home + u"/Projects"_s, {}));
                    navigator.clearMarks();
                    navigator.toggleMark(home + u"/todo.txt"_s);
                    [[maybe_unused]] auto trashing = quietly(appState.deleteMarked());
                }
            }
            // Long enough for the strip to know the copy's pace.
            QTimer::singleShot(scene == "progress" ? 2200 : 400, &app, [&] {
                // The whole screen, so that a sheet over the window is in the picture too.
                const QRect frame = app.window().frameGeometry();
                const QPixmap shot =
                    app.window().screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
                status = shot.save(output) ? 0 : 1;
                [[maybe_unused]] auto ending = app.terminate();
            });
        });
    });
    QObject::connect(&app, &QuillmereApp::terminated, &application, &QApplication::quit);
    [[maybe_unused]] auto starting = app.start();
    application.exec();
    return status;
}
