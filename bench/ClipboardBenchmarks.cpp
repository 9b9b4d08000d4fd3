#include "ClipboardBenchmarks.h"

#include "BenchmarkFolders.h"
#include "models/clipboard/FileClipboard.h"

#include <benchmark/benchmark.h>

#include <string>

namespace quillmere::bench {
namespace {

FilesOnClipboard filesOf(int count) {
    FilesOnClipboard files;
    for (const FileItem& item : BenchmarkFolders::shared().listing(count))
        files.paths.append(item.url);
    return files;
}

void encode(benchmark::State& state, int count) {
    const FilesOnClipboard files = filesOf(count);
    for (auto _ : state) {
        QMap<QString, QByteArray> formats = FileClipboard::encode(files);
        benchmark::DoNotOptimize(formats.size());
    }
}

void decode(benchmark::State& state, int count) {
    const QMap<QString, QByteArray> formats = FileClipboard::encode(filesOf(count));
    for (auto _ : state) {
        std::optional<FilesOnClipboard> files = FileClipboard::decode(formats);
        benchmark::DoNotOptimize(files->paths.size());
    }
}

} // namespace

void ClipboardBenchmarks::registerFor(int count, std::vector<RatioReporter::Pair>& pairs) {
    const std::string size = std::to_string(count);
    for (const auto& [name, function] :
         {std::pair{"clipboard_encode/", &encode}, {"clipboard_decode/", &decode}}) {
        const std::string label = name + size;
        benchmark::RegisterBenchmark(label.c_str(), function, count)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (count == 10000)
            pairs.push_back({label, "", 16.0});
    }
}

} // namespace quillmere::bench
