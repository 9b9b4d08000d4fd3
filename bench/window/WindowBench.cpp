// The window benchmark: start-up, showing a large folder, memory and key-to-paint
// latency of the real window, each beside a minimal Qt program showing the same folder
// (quillmere_minimal_table) in the same run. Every measurement is a fresh process: this
// program starts itself for the Quillmere runs and the reference program for its runs,
// alternating, and reports medians. Run it with a display (make bench-window uses Xvfb).

#include "BenchmarkFolders.h"
#include "QuillmereWindowRun.h"
#include "WindowProbe.h"
#include "models/tabs/Session.h"
#include "services/persistence/DefaultPersistenceService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QUuid>

#include <QCoroTask>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace quillmere;
using namespace quillmere::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int largeFolder = 100000;

using Figures = QMap<QString, std::vector<double>>;

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown";
}

class Runner {
public:
    explicit Runner(const QString& root)
        : m_root(root) {}
    // The benchmark folder removes only the generated folders; what the programs wrote goes here.
    ~Runner() {
        clearConfiguration();
        QDir(cacheHome()).removeRecursively();
    }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // A fresh configuration: nothing saved, as at a first start.
    void clearConfiguration() const {
        QDir(configHome()).removeRecursively();
        QDir(dataHome()).removeRecursively();
    }

    // A saved session with one tab on `folder`.
    void saveSession(const QString& folder) const {
        clearConfiguration();
        DefaultPersistenceService persistence(DefaultPersistenceService::configurationFolder(configHome()));
        TabState tab;
        tab.id = QUuid::createUuid();
        tab.currentPath = folder;
        tab.history = {folder};
        tab.historyIndex = 0;
        Session session;
        session.tabs = {tab};
        QCoro::waitFor(persistence.saveSession(session));
    }

    // Runs `program` with `arguments` and adds the "name value" lines it prints to `figures`.
    bool run(const QString& program, const QStringList& arguments, Figures& figures) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Everything the application reads or writes stays under the benchmark's folder;
        // the dot-names keep it out of the home folder's listing.
        environment.insert(u"HOME"_s, m_root);
        environment.insert(u"XDG_CONFIG_HOME"_s, configHome());
        environment.insert(u"XDG_DATA_HOME"_s, dataHome());
        environment.insert(u"XDG_CACHE_HOME"_s, cacheHome());
        const double spawned = WindowProbe::now();
        environment.insert(u"QUILLMERE_BENCH_SPAWNED_AT"_s, QString::number(spawned, 'f', 3));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(180000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            std::fprintf(stderr, "%s %s failed:\n%s\n", qPrintable(program), qPrintable(arguments.join(u' ')),
                         process.readAllStandardError().constData());
            return false;
        }
        for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                figures[QString::fromUtf8(parts[0])].push_back(parts[1].toDouble());
        }
        return true;
    }

private:
    QString configHome() const { return m_root + u"/.bench-config"_s; }
    QString dataHome() const { return m_root + u"/.bench-data"_s; }
    QString cacheHome() const { return m_root + u"/.bench-cache"_s; }

    QString m_root;
};

double medianOf(const Figures& figures, const QString& name) {
    return median(figures.value(name));
}

QString range(const Figures& figures, const QString& name) {
    const std::vector<double> samples = figures.value(name);
    if (samples.empty())
        return u"—"_s;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    return QString::number(*low, 'f', 1) + u"–"_s + QString::number(*high, 'f', 1);
}

void row(const char* what, double value, double reference, const char* target, bool met) {
    std::printf("| %s | %.1f | %s | %s | %s | %s |\n", what, value,
                reference >= 0 ? qPrintable(QString::number(reference, 'f', 1)) : "—",
                reference > 0 ? qPrintable(QString::number(value / reference, 'f', 2)) : "—", target,
                met ? "met" : "**missed**");
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 4 && std::strcmp(argv[1], "--quillmere") == 0)
        return runQuillmereWindow(argc, argv, argv[2], std::atoi(argv[3]));

    QCoreApplication application(argc, argv);
    int runs = 5;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QString reference = QFileInfo(self).absolutePath() + u"/quillmere_minimal_table"_s;

    BenchmarkFolders& folders = BenchmarkFolders::shared();
    const QString folder = folders.folder(largeFolder);
    const QString root = QString::fromLocal8Bit(folders.root());
    // Read once before measuring, so that every run sees a warm page cache. Dot-files are
    // hidden by default, in both programs: the rows shown are the others.
    int shownRows = 0;
    for (const FileItem& item : folders.listing(largeFolder))
        shownRows += item.name.startsWith(u'.') ? 0 : 1;
    std::printf("CPU: %s; display %s; folder %s (%s), %d entries shown; %d runs of each\n",
                cpuModel().c_str(), qgetenv("DISPLAY").constData(), qPrintable(folder),
                qPrintable(folders.fileSystemType()), shownRows, runs);
    std::fflush(stdout);

    Runner runner(root);
    const QString count = QString::number(shownRows);
    Figures home, session, minimal;
    Figures discarded;
    // One start of each that is not counted warms the libraries and the font caches.
    runner.clearConfiguration();
    runner.run(self, {u"--quillmere"_s, u"home"_s, count}, discarded);
    runner.run(reference, {folder, count}, discarded);
    for (int i = 0; i < runs; ++i) {
        runner.clearConfiguration();
        bool ok = runner.run(self, {u"--quillmere"_s, u"home"_s, count}, home);
        runner.saveSession(folder);
        ok = ok && runner.run(self, {u"--quillmere"_s, u"session"_s, count}, session);
        ok = ok && runner.run(reference, {folder, count}, minimal);
        if (!ok)
            return 1;
        std::fprintf(stderr, "run %d of %d done\n", i + 1, runs);
    }

    std::printf(
        "\nMedians of %d runs, milliseconds unless marked; the reference is quillmere_minimal_table.\n\n",
        runs);
    std::printf("| figure | Quillmere | reference | ratio | target | |\n|---|---:|---:|---:|---:|---|\n");
    const double refExposed = medianOf(minimal, u"exposed"_s);
    const double homeExposed = medianOf(home, u"exposed"_s);
    const double sessionExposed = medianOf(session, u"exposed"_s);
    row("window exposed, home folder", homeExposed, refExposed, "≤ 150", homeExposed <= 150);
    row("window exposed, session on 100k", sessionExposed, refExposed, "≤ 150", sessionExposed <= 150);
    row("first frame drawn, home folder", medianOf(home, u"firstFrame"_s), medianOf(minimal, u"firstFrame"_s),
        "—", true);
    row("first frame drawn, session on 100k", medianOf(session, u"firstFrame"_s),
        medianOf(minimal, u"firstFrame"_s), "—", true);
    const double shown = medianOf(session, u"shown"_s);
    const double refShown = medianOf(minimal, u"shown"_s);
    row("100k rows painted, from process start", shown, refShown, "≤ 600, ≤ ref",
        shown <= 600 && shown <= refShown);
    const double entered = medianOf(home, u"enterShown"_s);
    const double refFromListing = medianOf(minimal, u"shownFromListing"_s);
    row("100k rows painted, Return in the window (ref: from listing start)", entered, refFromListing,
        "≤ 600, ≤ ref", entered <= 600 && entered <= refFromListing);
    const double rss = medianOf(session, u"rssShownKiB"_s) / 1024;
    row("VmRSS with 100k rows shown (MiB)", rss, medianOf(minimal, u"rssShownKiB"_s) / 1024, "≤ 60",
        rss <= 60);
    const double rssKeys = medianOf(session, u"rssAfterKeysKiB"_s) / 1024;
    row("VmRSS after the key figures (MiB)", rssKeys, medianOf(minimal, u"rssSettledKiB"_s) / 1024, "≤ 60",
        rssKeys <= 60);
    const double down = medianOf(session, u"keyDown"_s);
    row("Down to repaint", down, medianOf(minimal, u"keyDown"_s), "≤ 16", down <= 16);
    const double space = medianOf(session, u"keySpace"_s);
    row("Space (mark) to repaint", space, -1, "≤ 16", space <= 16);
    const double first = medianOf(session, u"keyFilterFirst"_s);
    row("first filter keystroke after s", first, -1, "≤ 16", first <= 16);
    const double again = medianOf(session, u"keyFilterAgain"_s);
    row("later filter keystroke", again, -1, "≤ 16", again <= 16);
    const double cleared = medianOf(session, u"keyFilterCleared"_s);
    row("Backspace to an empty filter", cleared, -1, "≤ 16", cleared <= 16);

    std::printf("\nRanges over the runs (min–max of the per-run figure):\n\n");
    const auto ranges = [](const char* program, const Figures& figures) {
        for (auto it = figures.cbegin(); it != figures.cend(); ++it)
            std::printf("  %-8s %-20s median %10.1f  range %s\n", program, qPrintable(it.key()),
                        median(it.value()), qPrintable(range(figures, it.key())));
    };
    ranges("home", home);
    ranges("session", session);
    ranges("minimal", minimal);
    return 0;
}
