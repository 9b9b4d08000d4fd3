// The copy benchmark: a copy of a large tree (2,000 files, 1 GB) and of a tree of many
// small entries (100,000), each made by `cp -a` as a child process, by
// TransferRunner::copy alone, and by TransferRunner::copy the way the application runs it
// (a control polled ten times a second by another thread, and a journal). They alternate
// within every round, in an order that rotates from round to round, so each figure is
// measured beside its reference. Also timed in each round: the quick scan that gives the
// progress its totals, on its own, and the copy with that scan on a second thread beside
// it (what the progress would cost if the scan did not come first).
//
// The page cache stays warm: the source is read by every run. Each run copies to a new
// destination, which is counted against the source, emptied (its files truncated) and
// flushed to the disk (syncfs), all outside the timing, so no run pays for an earlier
// one's writeback; the copies' names and inodes are removed only at the end. Removing a
// copy between runs would make the benchmark measure something else: on ext4 without a
// journal, a creation skips every inode freed in the last minute (six, while its inode
// table block is dirty) one by one, so the run after a removal of 100,000 entries spends
// most of its time in the kernel's inode allocator; --remove-between shows it.
//
//   quillmere_copy_bench [--runs N] [--warmup N] [--tree large|many|both] [--in FOLDER]
//                        [--source TREE] [--only cp,copy,watched,beside,scan] [--remove-between]
//                        [--keep-copies]
//   quillmere_copy_bench --make FOLDER [--tree large|many|both]
//
// --source copies an existing tree instead of generating the two; --only takes some of
// the figures, for a profile of one of them; --make only generates the trees (FOLDER/large,
// FOLDER/many) and keeps them, for --source; --keep-copies leaves the copies (and the
// folder holding them) in place, to be inspected.

#include "CopyTrees.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "platform/PathCodec.h"
#include "platform/TreeMeasure.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/TransferRunner.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <linux/magic.h>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

using namespace quillmere;
using namespace quillmere::bench;

namespace {

using Clock = std::chrono::steady_clock;

// copyBesideScan is not what the application does: it shows what the progress would cost
// if its scan ran on another thread beside the copy instead of before it (the journal and
// the watcher as in copyWatched; the counting of the copied items and bytes, a relaxed
// atomic addition per item and chunk, is left out).
enum Variant { cpArchive, copyAlone, copyWatched, copyBesideScan, scanAlone, variantCount };
const char* const variantNames[variantCount] = {"cp -a", "copy", "copy + progress + journal",
                                                "copy + journal, scan beside", "scan alone"};
const char* const variantKeys[variantCount] = {"cp", "copy", "watched", "beside", "scan"};

struct Sample {
    double wallMs = 0;
    double cpuMs = 0; // user + system of the process (or child) that did the work
};

struct Options {
    int runs = 7;
    int warmup = 1;
    bool large = true;
    bool many = true;
    bool removeBetween = false;
    bool keepCopies = false;
    QByteArray in;
    QByteArray source; // an existing tree instead of the generated ones
    QByteArray make;   // only generate the trees there, and keep them
    std::vector<bool> variants = std::vector<bool>(variantCount, true); // which figures to take
};

double milliseconds(const timeval& time) {
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

double cpuMs(const rusage& usage) {
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string firstLine(const char* file, const char* prefix) {
    std::ifstream stream(file);
    for (std::string line; std::getline(stream, line);)
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "unknown";
}

std::string loadAverage() {
    std::ifstream stream("/proc/loadavg");
    std::string one, five, fifteen;
    stream >> one >> five >> fifteen;
    return one + ' ' + five + ' ' + fifteen;
}

const char* fileSystemType(const QByteArray& path) {
    struct statfs info;
    if (statfs(path.constData(), &info) != 0)
        return "unknown";
    switch (info.f_type) {
    case EXT4_SUPER_MAGIC: return "ext4";
    case TMPFS_MAGIC: return "tmpfs";
    case BTRFS_SUPER_MAGIC: return "btrfs";
    case XFS_SUPER_MAGIC: return "xfs";
    case OVERLAYFS_SUPER_MAGIC: return "overlayfs";
    default: return "other";
    }
}

Sample runCp(const QByteArray& source, const QByteArray& destination) {
    const char* arguments[] = {"cp", "-a", source.constData(), destination.constData(), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "cp", nullptr, nullptr, const_cast<char**>(arguments), environ) != 0) {
        std::perror("cp");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "cp -a %s %s failed\n", source.constData(), destination.constData());
        std::exit(1);
    }
    return {since(start), cpuMs(usage)};
}

// What the window does while an operation runs: reads the progress ten times a second.
class Watcher final {
public:
    explicit Watcher(const OperationControl& control)
        : m_control(control)
        , m_thread([this] { watch(); }) {}
    ~Watcher() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    int polls() const { return m_polls; }

private:
    void watch() {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stop; })) {
            const OperationControl::Progress progress = m_control.progress();
            m_seen = progress.bytesDone + progress.itemsDone;
            ++m_polls;
        }
    }

    const OperationControl& m_control;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::atomic<int> m_polls{0};
    std::int64_t m_seen = 0;
    std::thread m_thread;
};

class Bench final {
public:
    explicit Bench(QByteArray root)
        : m_root(std::move(root))
        , m_journals(m_root + "/journals") {}

    Sample run(Variant variant, const QByteArray& source, const QByteArray& destination,
               const TreeMeasure::Totals& expected) {
        Sample sample;
        switch (variant) {
        case cpArchive: sample = runCp(source, destination); break;
        case copyAlone:
        case copyWatched:
        case copyBesideScan: sample = runCopy(source, destination, variant, expected); break;
        case scanAlone: sample = runScan(source, expected); break;
        case variantCount: break;
        }
        if (variant != scanAlone) {
            check(destination, expected);
            CopyTrees::hollow(destination);
        }
        CopyTrees::flush(m_root);
        return sample;
    }

private:
    Sample runCopy(const QByteArray& source, const QByteArray& destination, Variant variant,
                   const TreeMeasure::Totals& expected) {
        const QList<TransferOperation> operations{
            {PathCodec::decode(source), PathCodec::decode(destination)}};
        rusage before{}, after{};
        if (variant == copyAlone) {
            getrusage(RUSAGE_SELF, &before);
            const Clock::time_point start = Clock::now();
            TransferRunner::copy(m_primitives, operations);
            const double wall = since(start);
            getrusage(RUSAGE_SELF, &after);
            return {wall, cpuMs(after) - cpuMs(before)};
        }
        // The window's thread exists before the operation starts and goes on after it.
        OperationControl control;
        Watcher watcher(control);
        getrusage(RUSAGE_SELF, &before);
        const Clock::time_point start = Clock::now();
        if (variant == copyWatched) {
            OperationJournal journal(m_primitives.calls, PathCodec::decode(m_journals));
            TransferRunner::copy(m_primitives, operations, &control, &journal);
        } else {
            std::jthread scan([&] {
                const TreeMeasure::Totals totals = TreeMeasure::of(*m_primitives.calls, source);
                control.setTotals(totals.items, totals.bytes);
            });
            OperationJournal journal(m_primitives.calls, PathCodec::decode(m_journals));
            TransferRunner::copy(m_primitives, operations, nullptr, &journal);
            scan.join();
        }
        const double wall = since(start);
        getrusage(RUSAGE_SELF, &after);
        if (variant == copyBesideScan) {
            const OperationControl::Progress progress = control.progress();
            if (progress.itemsTotal != expected.items || progress.bytesTotal != expected.bytes)
                std::printf("  the scan beside the copy counted %lld items, %lld bytes\n",
                            static_cast<long long>(progress.itemsTotal),
                            static_cast<long long>(progress.bytesTotal));
            return {wall, cpuMs(after) - cpuMs(before)};
        }
        const OperationControl::Progress progress = control.progress();
        if (progress.itemsDone != progress.itemsTotal || progress.bytesDone != progress.bytesTotal)
            std::printf(
                "  progress ended at %lld/%lld items, %lld/%lld bytes\n",
                static_cast<long long>(progress.itemsDone), static_cast<long long>(progress.itemsTotal),
                static_cast<long long>(progress.bytesDone), static_cast<long long>(progress.bytesTotal));
        if (watcher.polls() + 1 < int(wall / 100))
            std::printf("  the progress was read only %d times in %.0f ms\n", watcher.polls(), wall);
        return {wall, cpuMs(after) - cpuMs(before)};
    }

    Sample runScan(const QByteArray& source, const TreeMeasure::Totals& expected) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const Clock::time_point start = Clock::now();
        const TreeMeasure::Totals totals = TreeMeasure::of(*m_primitives.calls, source);
        const double wall = since(start);
        getrusage(RUSAGE_SELF, &after);
        if (totals.items != expected.items || totals.bytes != expected.bytes) {
            std::fprintf(stderr, "the scan of %s changed\n", source.constData());
            std::exit(1);
        }
        return {wall, cpuMs(after) - cpuMs(before)};
    }

    // Not a comparison of contents: a count of items and bytes, enough to catch a copy
    // that stopped early or left something out.
    void check(const QByteArray& destination, const TreeMeasure::Totals& expected) {
        const TreeMeasure::Totals totals = TreeMeasure::of(*m_primitives.calls, destination);
        if (totals.items != expected.items || totals.bytes != expected.bytes) {
            std::fprintf(stderr, "%s holds %lld items and %lld bytes, the source %lld and %lld\n",
                         destination.constData(), static_cast<long long>(totals.items),
                         static_cast<long long>(totals.bytes), static_cast<long long>(expected.items),
                         static_cast<long long>(expected.bytes));
            std::exit(1);
        }
        if (!QDir(PathCodec::decode(m_journals))
                 .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            std::fprintf(stderr, "a journal was left behind in %s\n", m_journals.constData());
            std::exit(1);
        }
    }

    QByteArray m_root;
    QByteArray m_journals;
    FilePrimitives m_primitives;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Spread {
    double median, low, high;
};

Spread spread(const std::vector<double>& values) {
    return {median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

void report(const char* tree, const std::vector<std::vector<Sample>>& samples) {
    const auto column = [&](int variant, bool cpu) {
        std::vector<double> values;
        for (const Sample& sample : samples[std::size_t(variant)])
            values.push_back(cpu ? sample.cpuMs : sample.wallMs);
        return values;
    };
    std::size_t rounds = 0;
    for (const std::vector<Sample>& taken : samples)
        rounds = std::max(rounds, taken.size());
    std::printf("\n%s: %zu rounds, milliseconds\n", tree, rounds);
    std::printf("  %-28s %10s %10s %10s %12s\n", "figure", "median", "min", "max", "CPU median");
    for (int variant = 0; variant < variantCount; ++variant) {
        if (samples[std::size_t(variant)].empty())
            continue;
        const Spread wall = spread(column(variant, false));
        std::printf("  %-28s %10.1f %10.1f %10.1f %12.1f\n", variantNames[variant], wall.median, wall.low,
                    wall.high, median(column(variant, true)));
    }
    struct Ratio {
        const char* name;
        int figure, reference;
        double target;
    };
    const Ratio ratios[] = {{"3/2 progress + journal", copyWatched, copyAlone, 1.03},
                            {"2/1 copy / cp -a", copyAlone, cpArchive, 1.0},
                            {"3/1 copy + progress / cp -a", copyWatched, cpArchive, 1.0},
                            {"scan / copy", scanAlone, copyAlone, 0},
                            {"scan beside / copy", copyBesideScan, copyAlone, 0}};
    bool headed = false;
    for (const Ratio& ratio : ratios) {
        if (samples[std::size_t(ratio.figure)].empty() || samples[std::size_t(ratio.reference)].empty())
            continue;
        if (!std::exchange(headed, true))
            std::printf("  %-28s %14s %22s %12s  %s\n", "ratio", "of medians", "per round: median",
                        "[min, max]", "target");
        const std::vector<double> figure = column(ratio.figure, false);
        const std::vector<double> reference = column(ratio.reference, false);
        std::vector<double> paired;
        for (std::size_t round = 0; round < figure.size(); ++round)
            paired.push_back(figure[round] / reference[round]);
        const Spread each = spread(paired);
        const double ofMedians = median(figure) / median(reference);
        char target[32] = "";
        if (ratio.target > 0)
            std::snprintf(target, sizeof target, "<= %.2f %s", ratio.target,
                          ofMedians <= ratio.target ? "met" : "MISSED");
        std::printf("  %-28s %14.3f %22.3f [%.3f, %.3f]  %s\n", ratio.name, ofMedians, each.median, each.low,
                    each.high, target);
    }
    std::fflush(stdout);
}

// Every copy keeps its names and inodes until the end (see the top of this file), and one
// copy at a time its contents: there must be room for that.
void checkRoom(const QByteArray& root, const TreeMeasure::Totals& tree, const Options& options) {
    int copying = 0;
    for (int variant : {cpArchive, copyAlone, copyWatched, copyBesideScan})
        copying += options.variants[std::size_t(variant)] ? 1 : 0;
    const std::int64_t copies =
        options.removeBetween ? 1 : std::int64_t(options.runs + options.warmup) * copying;
    // Each item may take a block, and a file's last block is partly empty; a folder keeps its blocks.
    const std::int64_t bytes = tree.bytes + tree.items * 4096 + copies * tree.items * 512;
    const std::int64_t inodes = copies * tree.items;
    struct statvfs space;
    if (statvfs(root.constData(), &space) != 0)
        return;
    const std::int64_t freeBytes = std::int64_t(space.f_bavail) * std::int64_t(space.f_frsize);
    if (freeBytes < bytes || std::int64_t(space.f_favail) < inodes) {
        std::fprintf(stderr,
                     "%lld copies need about %.1f GB and %lld inodes; %s has %.1f GB and %lld inodes free. "
                     "Try fewer --runs.\n",
                     static_cast<long long>(copies), double(bytes) / 1e9, static_cast<long long>(inodes),
                     root.constData(), double(freeBytes) / 1e9, static_cast<long long>(space.f_favail));
        std::exit(1);
    }
}

void measure(Bench& bench, const char* tree, const QByteArray& source, const QByteArray& destination,
             const Options& options, std::vector<QByteArray>& copies) {
    const TreeMeasure::Totals expected = TreeMeasure::of(*SystemCalls::real(), source);
    std::printf("\n%s: %s, %lld items, %lld bytes\n", tree, source.constData(),
                static_cast<long long>(expected.items), static_cast<long long>(expected.bytes));
    checkRoom(destination.left(destination.lastIndexOf('/')), expected, options);
    std::vector<std::vector<Sample>> samples(variantCount);
    for (int round = -options.warmup; round < options.runs; ++round) {
        std::printf("  %s %d:", round < 0 ? "warm-up" : "round",
                    round < 0 ? round + options.warmup + 1 : round + 1);
        for (int step = 0; step < variantCount; ++step) {
            const Variant variant = Variant((step + std::max(round, 0)) % variantCount);
            if (!options.variants[std::size_t(variant)])
                continue;
            copies.push_back(destination + '-' + QByteArray::number(copies.size() + 1));
            const Sample sample = bench.run(variant, source, copies.back(), expected);
            if (options.removeBetween) {
                CopyTrees::remove(copies.back());
                CopyTrees::flush(source);
                copies.pop_back();
            }
            std::printf("  %s %.0f", variantNames[variant], sample.wallMs);
            std::fflush(stdout);
            if (round >= 0)
                samples[std::size_t(variant)].push_back(sample);
        }
        std::printf("  (load %s)\n", loadAverage().c_str());
    }
    report(tree, samples);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runs" && hasValue)
            options.runs = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--warmup" && hasValue)
            options.warmup = std::max(0, std::atoi(argv[++i]));
        else if (argument == "--tree" && hasValue) {
            const std::string tree = argv[++i];
            options.large = tree == "large" || tree == "both";
            options.many = tree == "many" || tree == "both";
        } else if (argument == "--in" && hasValue)
            options.in = argv[++i];
        else if (argument == "--keep-copies")
            options.keepCopies = true;
        else if (argument == "--remove-between")
            options.removeBetween = true;
        else if (argument == "--make" && hasValue)
            options.make = argv[++i];
        else if (argument == "--source" && hasValue)
            options.source = argv[++i];
        else if (argument == "--only" && hasValue) {
            const QList<QByteArray> names = QByteArray(argv[++i]).split(',');
            for (int variant = 0; variant < variantCount; ++variant)
                options.variants[std::size_t(variant)] = names.contains(variantKeys[variant]);
        } else {
            std::fprintf(stderr,
                         "usage: %s [--runs N] [--warmup N] [--tree large|many|both] [--in FOLDER]\n"
                         "          [--source TREE] [--only cp,copy,watched,beside,scan] [--remove-between]\n"
                         "          [--keep-copies]\n"
                         "       %s --make FOLDER [--tree large|many|both]\n"
                         "  FOLDER defaults to $TMPDIR or /tmp; it should not be tmpfs if /tmp is a disk\n",
                         argv[0], argv[0]);
            std::exit(2);
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const Options options = parse(argc, argv);
    if (!options.make.isEmpty()) {
        if (options.large)
            CopyTrees::makeLarge(options.make + "/large");
        if (options.many)
            CopyTrees::makeMany(options.make + "/many");
        CopyTrees::flush(options.make);
        return 0;
    }
    QByteArray root = (options.in.isEmpty() ? PathCodec::encode(QDir::tempPath()) : options.in) +
                      "/quillmere-copy-bench-XXXXXX";
    if (!mkdtemp(root.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    utsname system{};
    uname(&system);
    std::printf("%s, %u hardware threads; kernel %s; %s\n", firstLine("/proc/cpuinfo", "model name").c_str(),
                std::thread::hardware_concurrency(), system.release,
                firstLine("/proc/meminfo", "MemTotal").c_str());
    std::printf("trees under %s (%s), warm page cache; load average %s\n", root.constData(),
                fileSystemType(root), loadAverage().c_str());

    // Both trees are made before anything is measured, and nothing is removed until the
    // end: a removal would slow down every run after it (see the top of this file).
    const bool generated = options.source.isEmpty();
    QByteArray source = options.source;
    while (source.size() > 1 && source.endsWith('/'))
        source.chop(1);
    if (generated && options.large) {
        const Clock::time_point start = Clock::now();
        const CopyTrees::Summary made = CopyTrees::makeLarge(root + "/large");
        std::printf("made the large tree in %.1f s: %lld files, %lld folders, %lld bytes\n",
                    since(start) / 1e3, static_cast<long long>(made.files),
                    static_cast<long long>(made.folders), static_cast<long long>(made.bytes));
    }
    if (generated && options.many) {
        const Clock::time_point start = Clock::now();
        const CopyTrees::Summary made = CopyTrees::makeMany(root + "/many");
        std::printf("made the many-entry tree in %.1f s: %lld files, %lld folders, %lld links, %lld more "
                    "names of files, %lld bytes\n",
                    since(start) / 1e3, static_cast<long long>(made.files),
                    static_cast<long long>(made.folders), static_cast<long long>(made.links),
                    static_cast<long long>(made.hardLinks), static_cast<long long>(made.bytes));
    }
    CopyTrees::flush(root);
    std::printf("creating an empty file takes %.1f us here (hundreds: a recent large removal still slows "
                "this file system down, and every figure with it)\n",
                CopyTrees::creationMicroseconds(root + "/probe"));

    Bench bench(root);
    std::vector<QByteArray> copies;
    if (!generated)
        measure(bench, source.constData(), source, root + "/copy", options, copies);
    if (generated && options.large)
        measure(bench, "2,000 files, 1 GB", root + "/large", root + "/large-copy", options, copies);
    if (generated && options.many)
        measure(bench, "100,000 entries", root + "/many", root + "/many-copy", options, copies);

    if (options.keepCopies) {
        std::printf("\nthe copies are kept in %s\n", root.constData());
    } else {
        const Clock::time_point start = Clock::now();
        for (const QByteArray& copy : copies)
            CopyTrees::remove(copy);
        CopyTrees::remove(root + "/large");
        CopyTrees::remove(root + "/many");
        CopyTrees::remove(root + "/journals");
        CopyTrees::remove(root + "/probe");
        rmdir(root.constData());
        std::printf("\nremoved the trees and copies in %.1f s\n", since(start) / 1e3);
    }
    std::printf("\nload average at the end %s\n", loadAverage().c_str());
    return 0;
}
