#include "models/transfer/TransferPlanner.h"

#include "models/paths/FilePath.h"

namespace quillmere {
namespace {

QSet<QString> normalised(const QSet<QString>& names) {
    QSet<QString> out;
    out.reserve(names.size());
    for (const QString& name : names)
        out.insert(name.normalized(QString::NormalizationForm_C));
    return out;
}

bool isTaken(const QString& source, const QSet<QString>& normalisedNames) {
    return normalisedNames.contains(FilePath::lastComponent(source).normalized(QString::NormalizationForm_C));
}

} // namespace

QStringList detectConflicts(const QStringList& sources, const QSet<QString>& existingNames) {
    const QSet<QString> names = normalised(existingNames);
    QStringList conflicts;
    for (const QString& source : sources)
        if (isTaken(source, names))
            conflicts.append(source);
    return conflicts;
}

TransferPlan planTransfer(const QStringList& sources, const QString& destination,
                          const QSet<QString>& existingNames, const QList<ConflictResolution>& resolutions) {
    const QSet<QString> names = normalised(existingNames);
    TransferPlan plan;
    qsizetype nextResolution = 0;
    auto add = [&](const QString& source, const QString& name, bool overwrite) {
        TransferOperation operation{source, FilePath::appending(destination, name), overwrite};
        plan.mappings.append(
            {FilePath::standardised(operation.source), FilePath::standardised(operation.destination)});
        plan.operations.append(std::move(operation));
    };
    for (const QString& source : sources) {
        const QString name = FilePath::lastComponent(source);
        if (!isTaken(source, names)) {
            add(source, name, false);
            continue;
        }
        if (nextResolution >= resolutions.size())
            continue;
        const ConflictResolution& resolution = resolutions[nextResolution++];
        switch (resolution.kind) {
        case ConflictResolution::Kind::overwrite: add(source, name, true); break;
        case ConflictResolution::Kind::rename: add(source, resolution.newName, false); break;
        case ConflictResolution::Kind::skip: break;
        }
    }
    return plan;
}

} // namespace quillmere
