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
    // Last, so that opening the palette and pressing Return never stops an hour of copying.
    if (sources.cancelOperation)
        rows.append(cancelRow(*sources.cancelOperation, 0));
    return rows;
}

QList<PaletteItem> matchingRows(const PaletteItemsBuilder::Sources& sources, QStringView query) {
    QList<PaletteItem> rows;
    for (const PaletteItemKind::Command& command : sources.commands) {
        const std::optional<PaletteMatch> label = fuzzyMatch(command.label, query);
        const std::optional<PaletteMatch> keywords =
            fuzzyMatch(PaletteItemsBuilder::searchKeywords(command.command), query);
        if (!label && !keywords)
            continue;
        const int score =
            std::max(label ? label->score : keywords->score, keywords ? keywords->score : label->score);
        // Keyword offsets would point into text that is never shown.
        rows.append(commandRow(command, score, label ? label->positions : QList<int>()));
    }
    if (sources.cancelOperation) {
        const std::optional<PaletteMatch> label = fuzzyMatch(sources.cancelOperation->label, query);
        const std::optional<PaletteMatch> keywords =
            fuzzyMatch(QString::fromLatin1(PaletteItemsBuilder::cancelOperationKeywords), query);
        if (label || keywords) {
            const int score =
                std::max(label ? label->score : keywords->score, keywords ? keywords->score : label->score);
            rows.append(cancelRow(*sources.cancelOperation, score, label ? label->positions : QList<int>()));
        }
    }

    for (const PaletteItemKind::WindowAction& action : sources.windowActions) {
        const std::optional<PaletteMatch> label = fuzzyMatch(action.label, query);
        const std::optional<PaletteMatch> keywords =
            fuzzyMatch(PaletteItemsBuilder::windowActionKeywords(action.which), query);
        if (!label && !keywords)
            continue;
        const int score =
            std::max(label ? label->score : keywords->score, keywords ? keywords->score : label->score);
        rows.append(actionRow(action, score, label ? label->positions : QList<int>()));
    }

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
