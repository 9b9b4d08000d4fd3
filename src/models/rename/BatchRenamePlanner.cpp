#include "models/rename/BatchRenamePlanner.h"

#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/rename/BatchRenameNamer.h"

#include <QHash>

namespace quillmere {
namespace {

QString comparable(const QString& name) {
    return name.normalized(QString::NormalizationForm_C);
}

QSet<QString> comparable(const QSet<QString>& names) {
    QSet<QString> out;
    out.reserve(names.size());
    for (const QString& name : names)
        out.insert(comparable(name));
    return out;
}

} // namespace

QList<BatchRenamePreviewRow> previewBatchRename(const QList<FileItem>& items, const BatchRenameRule& rule,
                                                const QSet<QString>& existingNames) {
    QList<BatchRenamePreviewRow> rows;
    rows.reserve(items.size());
    const BatchRenameNamer namer(rule);
    if (!namer.isValid()) {
        for (const FileItem& item : items)
            rows.append({item.url, item.name, Validity::invalidRegex});
        return rows;
    }

    QList<QString> keys;
    keys.reserve(items.size());
    QHash<QString, int> occurrences;
    for (qsizetype i = 0; i < items.size(); ++i) {
        // Judged and shown as the listing will report it, since that is what the
        // bytes on disk decode to.
        rows.append({items[i].url, FileName::asListed(namer.proposedName(items[i].name, i)), Validity::ok});
        keys.append(comparable(rows.last().newName));
        ++occurrences[keys.last()];
    }

    // A name the batch itself renames away is free for another entry of the batch: the
    // two-phase rename moves every entry to a temporary name first, so a→b, b→a works.
    // A batch entry that keeps its name still holds it.
    QSet<QString> existing = comparable(existingNames);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString present = comparable(items[i].name);
        if (keys[i] != present)
            existing.remove(present);
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        BatchRenamePreviewRow& row = rows[i];
        if (row.newName.isEmpty())
            row.validity = Validity::empty;
        else if (!FileName::isUsable(row.newName))
            row.validity = Validity::invalidName;
        else if (occurrences.value(keys[i]) > 1)
            row.validity = Validity::duplicateInBatch;
        else if (keys[i] == comparable(items[i].name))
            row.validity = Validity::ok;
        else if (existing.contains(keys[i]))
            row.validity = Validity::collidesExisting;
    }
    return rows;
}

std::optional<QList<PathMapping>> batchRenameMappings(const QList<FileItem>& items,
                                                      const BatchRenameRule& rule,
                                                      const QSet<QString>& existingNames) {
    QList<PathMapping> mappings;
    for (const BatchRenamePreviewRow& row : previewBatchRename(items, rule, existingNames)) {
        if (row.validity != Validity::ok)
            return std::nullopt;
        const QString target = FilePath::appending(FilePath::parent(row.source), row.newName);
        mappings.append({FilePath::standardised(row.source), FilePath::standardised(target)});
    }
    return mappings;
}

} // namespace quillmere
