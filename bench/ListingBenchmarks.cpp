#include "ListingBenchmarks.h"

#include "BenchmarkFolders.h"
#include "platform/FilePrimitives.h"
#include "platform/PathCodec.h"
#include "services/filesystem/DefaultFileSystemService.h"

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillmere::bench {
namespace {

void listWithService(benchmark::State& state, int count) {
    const QString folder = BenchmarkFolders::shared().folder(count);
    FilePrimitives primitives;
    QList<FileItem> items;
    for (auto _ : state) {
        // Freeing the previous listing is not part of making this one.
        state.PauseTiming();
        items = {};
        state.ResumeTiming();
        items = DefaultFileSystemService::list(primitives, folder, true);
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void listWithBareLoop(benchmark::State& state, int count) {
    const QByteArray folder = PathCodec::encode(BenchmarkFolders::shared().folder(count));
    for (auto _ : state) {
        DIR* directory = opendir(folder.constData());
        const int fd = dirfd(directory);
        int64_t total = 0;
        while (dirent* record = readdir(directory)) {
            const char* name = record->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            struct stat status;
            if (fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW) == 0)
                total += status.st_size + status.st_mtim.tv_nsec + S_ISDIR(status.st_mode);
        }
        closedir(directory);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

void ListingBenchmarks::registerFor(int count, std::vector<RatioReporter::Pair>& pairs) {
    const std::string name = "list/" + std::to_string(count);
    const std::string floor = "list_floor/" + std::to_string(count);
    // Each figure right after its reference, so both see the same machine.
    benchmark::RegisterBenchmark(floor.c_str(), listWithBareLoop, count)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(name.c_str(), listWithService, count)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    pairs.push_back({name, floor, 1.5});
}

} // namespace quillmere::bench
