#include "BatchRenameBenchmarks.h"

#include "NameGenerator.h"
#include "models/listing/FileItem.h"
#include "models/paths/FilePath.h"
#include "models/rename/BatchRenamePlanner.h"

#include <benchmark/benchmark.h>

#include <QSet>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

using namespace Qt::StringLiterals;

namespace quillmere::bench {
namespace {

struct Batch {
    QList<FileItem> items;
    QSet<QString> existingNames;
};

// The generated names in memory only: the preview touches no files, so neither does
// this benchmark. Every entry is marked; the folder holds nothing else.
const Batch& batchOf(int count) {
    static std::map<int, Batch> batches;
    Batch& batch = batches[count];
    if (batch.items.isEmpty()) {
        NameGenerator names;
        const QString folder = u"/benchmark/folder"_s;
        for (int i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(names.entry(i).name);
            const QString path = FilePath::appending(folder, name);
            FileItem item;
            item.id = path;
            item.url = path;
            item.name = name;
            batch.items.append(std::move(item));
            batch.existingNames.insert(name);
        }
    }
    return batch;
}

// What a user types into each kind's fields: every entry gets a new name, and every new
// name is usable, so the whole preview is judged (no early way out).
const std::array<std::pair<const char*, BatchRenameRule>, 4>& rules() {
    static const std::array<std::pair<const char*, BatchRenameRule>, 4> all = {{
        {"sequential", BatchRenameRule::sequential(u"photo_"_s, 1, 5)},
        {"replace", BatchRenameRule::replace(u"e"_s, u"E_"_s)},
        {"affix", BatchRenameRule::affix(u"2024-"_s, u"-edit"_s)},
        {"regex", BatchRenameRule::regex(u"^(.*)$"_s, u"x_$1"_s)},
    }};
    return all;
}

void preview(benchmark::State& state, int count, const BatchRenameRule* rule) {
    const Batch& batch = batchOf(count);
    int64_t usable = 0;
    for (auto _ : state) {
        QList<BatchRenamePreviewRow> rows = previewBatchRename(batch.items, *rule, batch.existingNames);
        benchmark::DoNotOptimize(rows.data());
        usable = std::count_if(rows.cbegin(), rows.cend(),
                               [](const BatchRenamePreviewRow& row) { return row.validity == Validity::ok; });
    }
    state.counters["usable"] = double(usable);
}

} // namespace

void BatchRenameBenchmarks::registerFor(int count, std::vector<RatioReporter::Pair>& pairs) {
    for (const auto& [kind, rule] : rules()) {
        const std::string name = std::string("batch_rename_preview_") + kind + "/" + std::to_string(count);
        benchmark::RegisterBenchmark(name.c_str(), preview, count, &rule)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        // One frame at 60 Hz at 10,000 entries. The sheet previews batches of more than a
        // thousand entries on a worker thread, so larger counts are shown without a target.
        pairs.push_back({name, "", count <= 10000 ? 16.0 : 0.0});
    }
}

} // namespace quillmere::bench
