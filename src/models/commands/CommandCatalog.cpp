#include "models/commands/CommandCatalog.h"

#include "models/commands/CommandTable.h"

#include <QtGlobal>

namespace quillmere {
namespace {

QList<CommandCatalog::Category> buildCategories() {
    QList<CommandCatalog::Category> categories;
    for (const CommandTable::Row& row : CommandTable::rows()) {
        const QString titleKey = QString::fromLatin1(row.categoryKey);
        // The table lists each category's rows together, in display order.
        if (categories.isEmpty() || categories.last().titleKey != titleKey)
            categories.append({titleKey, {}});
        categories.last().entries.append(
            {QString::fromLatin1(row.labelKey), row.trigger.hint(), row.command});
    }
    return categories;
}

QList<CommandCatalog::Entry> buildCommandEntries() {
    QList<CommandCatalog::Entry> entries;
    for (const CommandCatalog::Category& category : CommandCatalog::categories())
        for (const CommandCatalog::Entry& entry : category.entries)
            if (entry.command)
                entries.append(entry);
    return entries;
}

} // namespace

const QList<CommandCatalog::Category>& CommandCatalog::categories() {
    static const QList<Category> catalog = buildCategories();
    return catalog;
}

std::optional<CommandCatalog::Entry> CommandCatalog::entry(const KeyCommand& command) {
    for (const Entry& candidate : commandEntries())
        if (candidate.command == command)
            return candidate;
    return std::nullopt;
}

const QList<CommandCatalog::Entry>& CommandCatalog::commandEntries() {
    static const QList<Entry> entries = buildCommandEntries();
    return entries;
}

QString CommandCatalog::helpText(const KeyCommand& command) {
    const std::optional<Entry> found = entry(command);
    if (!found)
        return {};
    return qtTrId(found->labelKey.toUtf8().constData()) + u" ( " + found->keyHint + u" )";
}

} // namespace quillmere
