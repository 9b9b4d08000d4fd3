#include "QuillmereWindowRun.h"

#include "WindowProbe.h"
#include "app/QuillmereApp.h"
#include "models/navigation/Navigator.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "views/common/SystemIcon.h"
#include "views/shell/MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace quillmere::bench {
namespace {

Navigator* activeNavigator(const QuillmereApp& app) {
    if (!app.bootstrapped())
        return nullptr;
    BrowserTab* tab = app.bootstrapped()->appState->activeTab();
    return tab ? &tab->navigator() : nullptr;
}

void reportSamples(const char* name, const std::vector<double>& samples) {
    WindowProbe::report(name, median(samples));
    const std::string worst = std::string(name) + "Max";
    WindowProbe::report(worst.c_str(), *std::max_element(samples.begin(), samples.end()));
}

// Key press to the end of the next paint of the file table, `count` times.
std::vector<double> keySamples(PaintWatch& watch, QWidget& window, int key, const QString& text, int count) {
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        samples.push_back(watch.keyToPaint(window, key, text));
        WindowProbe::settle(20);
    }
    return samples;
}

} // namespace

int runQuillmereWindow(int argc, char* argv[], const char* scenario, int expectedRows) {
    const double entered = WindowProbe::now();
    const double started = WindowProbe::processStart();
    // As main() does it.
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Quillmere"_s);
    QApplication::setOrganizationDomain(u"quillmere.org"_s);
    QApplication::setDesktopFileName(u"org.quillmere.Quillmere"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    SystemIcon::ensureTheme();
    PaintWatch watch;

    QuillmereApp app(AppServices::defaults());
    app.window().resize(1100, 680);
    app.window().show();
    [[maybe_unused]] auto starting = app.start();
    QWidget& window = app.window();

    const bool session = std::strcmp(scenario, "session") == 0;
    const int firstRows = session ? expectedRows : 1;
    const auto shows = [&watch](int rows) {
        return [&watch, rows] {
            return watch.lastView() && watch.lastView()->model() &&
                   watch.lastView()->model()->rowCount() >= rows;
        };
    };
    if (!watch.waitForPaint(shows(firstRows), 60000)) {
        std::fprintf(stderr, "the listing was never painted\n");
        return 1;
    }
    const double shown = watch.lastPaintEnd();
    WindowProbe::report("entered", entered - started);
    WindowProbe::report("exposed", watch.exposedAt() - started);
    WindowProbe::report("firstFrame", watch.firstFrameAt() - started);
    WindowProbe::report("shown", shown - started);
    WindowProbe::report("rssShownKiB", double(WindowProbe::residentKiB()));

    window.activateWindow();
    QApplication::setActiveWindow(&window);
    // Past the session store's save delay, so that no save lands in a measurement.
    WindowProbe::settle(700);
    Navigator* navigator = activeNavigator(app);
    if (!navigator)
        return 1;

    if (!session) {
        // Enter the large folder from the home folder: Return on its row.
        for (qsizetype row = 0; row < navigator->visibleCount(); ++row) {
            if (FilePath::lastComponent(navigator->visibleItemAt(row).id).startsWith(u"entries-"))
                navigator->setSelectedItemID(navigator->visibleItemAt(row).id);
        }
        WindowProbe::settle(100);
        const double pressed = WindowProbe::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
        QCoreApplication::sendEvent(window.windowHandle(), &press);
        if (!watch.waitForPaint(shows(expectedRows), 60000)) {
            std::fprintf(stderr, "the entered folder was never painted: %s, %lld rows\n",
                         qPrintable(navigator->currentPath()),
                         static_cast<long long>(navigator->visibleCount()));
            return 1;
        }
        WindowProbe::report("enterShown", watch.lastPaintEnd() - pressed);
        WindowProbe::report("rssEnteredKiB", double(WindowProbe::residentKiB()));
        return 0;
    }

    WindowProbe::report("rssSettledKiB", double(WindowProbe::residentKiB()));
    reportSamples("keyDown", keySamples(watch, window, Qt::Key_Down, QString(), 20));
    reportSamples("keySpace", keySamples(watch, window, Qt::Key_Space, u" "_s, 20));
    // `s` opens the filter field; the keystrokes after it filter.
    QKeyEvent search(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, u"s"_s);
    QCoreApplication::sendEvent(window.windowHandle(), &search);
    WindowProbe::settle(200);
    WindowProbe::report("keyFilterFirst", watch.keyToPaint(window, Qt::Key_R, u"r"_s));
    std::vector<double> cleared;
    std::vector<double> again;
    for (int i = 0; i < 10; ++i) {
        WindowProbe::settle(20);
        cleared.push_back(watch.keyToPaint(window, Qt::Key_Backspace, u"\b"_s));
        WindowProbe::settle(20);
        again.push_back(watch.keyToPaint(window, Qt::Key_R, u"r"_s));
    }
    reportSamples("keyFilterAgain", again);
    reportSamples("keyFilterCleared", cleared);
    WindowProbe::report("filterMatches", double(navigator->visibleCount()));
    WindowProbe::report("filterQueryLength", double(navigator->filterQuery().size()));
    WindowProbe::report("rssAfterKeysKiB", double(WindowProbe::residentKiB()));
    // What the heap holds freed but not handed back: the difference is not live data.
    malloc_trim(0);
    WindowProbe::report("rssTrimmedKiB", double(WindowProbe::residentKiB()));
    return 0;
}

} // namespace quillmere::bench
