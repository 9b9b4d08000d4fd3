#include "models/palette/PaletteItemsBuilder.h"

#include "models/commands/CommandTable.h"
#include "models/palette/PaletteMatch.h"
#include "models/paths/FilePath.h"

#include <algorithm>

namespace quillmere {
namespace {

PaletteItem commandRow(const PaletteItemKind::Command& command, int score, QList<int> positions = {}) {
    return {QUuid::createUuid(), {command}, command.label, command.shortcutHint, std::move(positions), score};
}

PaletteItem folderRow(const QString& url, int score, QList<int> positions = {}) {
    return {QUuid::createUuid(),          {PaletteItemKind::RecentFolder{url}},
            FilePath::lastComponent(url), url,
            std::move(positions),         score};
}

PaletteItem bookmarkRow(const Bookmark& bookmark, int score, QList<int> positions = {}) {
    const QString name = FilePath::lastComponent(bookmark.url);
    return {QUuid::createUuid(),
            {PaletteItemKind::Bookmark{bookmark.id, bookmark.url, name}},
            name,
            bookmark.url,
            std::move(positions),
            score};
}

PaletteItem volumeRow(const PaletteItemKind::Volume& volume, int score, QList<int> positions = {}) {
    return {QUuid::createUuid(), {volume}, volume.label, volume.path, std::move(positions), score};
}

PaletteItem cancelRow(const PaletteItemKind::CancelOperation& cancel, int score, QList<int> positions = {}) {
    return {QUuid::createUuid(), {cancel}, cancel.label, cancel.operation, std::move(positions), score};
}

PaletteItem actionRow(const PaletteItemKind::WindowAction& action, int score, QList<int> positions) {
    return {QUuid::createUuid(), {action}, action.label, action.shortcutHint, std::move(positions), score};
}

// The better of two optional matches; the first wins a tie.
std::optional<PaletteMatch> better(std::optional<PaletteMatch> first, std::optional<PaletteMatch> second) {
    if (!first)
        return second;
    if (second && second->score > first->score)
        return second;
    return first;
}

QList<PaletteItem> recentRows(const PaletteItemsBuilder::Sources& sources) {
    QList<PaletteItem> rows;
    const qsizetype recentCount = sources.recentCommands.size();
    for (qsizetype i = 0; i < std::min(PaletteItemsBuilder::recentCommandLimit, recentCount); ++i) {
        const KeyCommand& recent = sources.recentCommands[i];
        const auto known =
            std::find_if(sources.commands.begin(), sources.commands.end(),
                         [&](const PaletteItemKind::Command& entry) { return entry.command == recent; });
        const PaletteItemKind::Command command =
            known != sources.commands.end() ? *known
                                            : PaletteItemKind::Command{recent, recent.text(), std::nullopt};
        rows.append(commandRow(command, int(recentCount - i)));
    }

    const qsizetype historyCount = sources.history.size();
    const qsizetype oldestShown =
        std::max<qsizetype>(historyCount - PaletteItemsBuilder::recentFolderLimit, 0);
    for (qsizetype index = historyCount - 1, n = 0; index >= oldestShown; --index, ++n)
        rows.append(folderRow(sources.history[index], int(PaletteItemsBuilder::recentFolderLimit - n)));

    const qsizetype bookmarkCount = sources.bookmarks.size();
    for (qsizetype j = 0; j < bookmarkCount; ++j)
        rows.append(bookmarkRow(sources.bookmarks[j], int(bookmarkCount - j)));
    for (const PaletteItemKind::Volume& volume : sources.volumes)
        rows.append(volumeRow(volume, 0));
    // Last, so that opening the palette and pressing Return never stops an hour of copying.
    if (sources.cancelOperation)
        rows.append(cancelRow(*sources.cancelOperation, 0));
    return rows;
}

// A row matched by its label or by fixed keywords, scored by the better of the two; only
// label offsets are kept, since keyword offsets would point into text that is never shown.
struct LabelMatch {
    int score;
    QList<int> positions;
};
std::optional<LabelMatch> matchLabel(const QString& label, const QString& keywords, QStringView query) {
    const std::optional<PaletteMatch> byLabel = fuzzyMatch(label, query);
    const std::optional<PaletteMatch> byKeywords = fuzzyMatch(keywords, query);
    if (!byLabel && !byKeywords)
        return std::nullopt;
    const int score = std::max(byLabel ? byLabel->score : byKeywords->score,
                               byKeywords ? byKeywords->score : byLabel->score);
    return LabelMatch{score, byLabel ? byLabel->positions : QList<int>()};
}

QList<PaletteItem> matchingRows(const PaletteItemsBuilder::Sources& sources, QStringView query) {
    QList<PaletteItem> rows;
    for (const PaletteItemKind::Command& command : sources.commands)
        if (std::optional<LabelMatch> match =
                matchLabel(command.label, PaletteItemsBuilder::searchKeywords(command.command), query))
            rows.append(commandRow(command, match->score, std::move(match->positions)));
    if (sources.cancelOperation)
        if (std::optional<LabelMatch> match =
                matchLabel(sources.cancelOperation->label,
                           QString::fromLatin1(PaletteItemsBuilder::cancelOperationKeywords), query))
            rows.append(cancelRow(*sources.cancelOperation, match->score, std::move(match->positions)));
    for (const PaletteItemKind::WindowAction& action : sources.windowActions)
        if (std::optional<LabelMatch> match =
                matchLabel(action.label, PaletteItemsBuilder::windowActionKeywords(action.which), query))
            rows.append(actionRow(action, match->score, std::move(match->positions)));

    for (const QString& url : sources.history) {
        const std::optional<PaletteMatch> match =
            better(fuzzyMatch(FilePath::lastComponent(url), query), fuzzyMatch(url, query));
        if (match)
            rows.append(folderRow(url, match->score, match->positions));
    }

    for (const Bookmark& bookmark : sources.bookmarks)
        if (const std::optional<PaletteMatch> match =
                fuzzyMatch(FilePath::lastComponent(bookmark.url), query))
            rows.append(bookmarkRow(bookmark, match->score, match->positions));

    for (const PaletteItemKind::Volume& volume : sources.volumes)
        if (const std::optional<PaletteMatch> match =
                better(fuzzyMatch(volume.label, query), fuzzyMatch(volume.path, query)))
            rows.append(volumeRow(volume, match->score, match->positions));

    std::stable_sort(rows.begin(), rows.end(),
                     [](const PaletteItem& a, const PaletteItem& b) { return a.score > b.score; });
    return rows;
}

} // namespace

QList<PaletteItem> PaletteItemsBuilder::build(const Sources& sources, QStringView query) {
    return query.isEmpty() ? recentRows(sources) : matchingRows(sources, query);
}

QString PaletteItemsBuilder::searchKeywords(const KeyCommand& command) {
    const CommandTable::Row* row = CommandTable::rowFor(command);
    return row ? QString::fromLatin1(row->searchKeywords) : QString();
}

QString PaletteItemsBuilder::windowActionKeywords(PaletteItemKind::WindowAction::Which which) {
    using Which = PaletteItemKind::WindowAction::Which;
    switch (which) {
    case Which::undo: return QStringLiteral("undo take back revert");
    case Which::redo: return QStringLiteral("redo do again");
    case Which::showTrash: return QStringLiteral("show trash bin wastebasket deleted restore");
    case Which::emptyTrash: return QStringLiteral("empty trash bin wastebasket delete permanently");
    }
    return {};
}

} // namespace quillmere
