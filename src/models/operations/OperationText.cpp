#include "models/operations/OperationText.h"

#include "models/paths/FileName.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

QString recoveredKind(RecoveredOperation::Kind kind) {
    switch (kind) {
    case RecoveredOperation::Kind::trash: return qtTrId("recovery.trash");
    case RecoveredOperation::Kind::move: return qtTrId("recovery.move");
    case RecoveredOperation::Kind::copy: return qtTrId("recovery.copy");
    case RecoveredOperation::Kind::batchRename: return qtTrId("recovery.batchRename");
    case RecoveredOperation::Kind::restore: return qtTrId("recovery.restore");
    }
    return {};
}

QString recoveredSentence(const RecoveredOperation& operation) {
    QStringList parts;
    if (operation.completed > 0)
        parts.append(qtTrId("recovery.completed", operation.completed));
    if (operation.restored > 0)
        parts.append(qtTrId("recovery.restored", operation.restored));
    if (!operation.undecided.isEmpty()) {
        QStringList names;
        for (const QString& name : operation.undecided)
            names.append(FileName::displayText(name));
        parts.append(qtTrId("recovery.undecided").arg(names.join(qtTrId("recovery.separator"))));
    }
    if (parts.isEmpty())
        parts.append(qtTrId("recovery.nothingChanged"));
    return qtTrId("recovery.sentence")
        .arg(recoveredKind(operation.kind), parts.join(qtTrId("recovery.separator")));
}

} // namespace

QString OperationText::describe(const OperationDescription& description) {
    if (description.direction == OperationDescription::Direction::undo)
        return qtTrId("progress.undo").arg(name(description));
    if (description.direction == OperationDescription::Direction::redo)
        return qtTrId("progress.redo").arg(name(description));
    const int count = int(description.itemCount);
    // The root folder has no name of its own; it is called what its path is.
    const QString destination =
        description.destinationName.isEmpty() ? u"/"_s : FileName::displayText(description.destinationName);
    const QString item = FileName::displayText(description.itemName);
    switch (description.kind) {
    case OperationDescription::Kind::trash: return qtTrId("progress.trash", count);
    case OperationDescription::Kind::move: return qtTrId("progress.move", count).arg(destination);
    case OperationDescription::Kind::copy: return qtTrId("progress.copy", count).arg(destination);
    case OperationDescription::Kind::batchRename: return qtTrId("progress.batchRename", count);
    case OperationDescription::Kind::restore: return qtTrId("progress.restore", count);
    case OperationDescription::Kind::deleteForGood: return qtTrId("progress.deleteForGood", count);
    case OperationDescription::Kind::emptyTrash: return qtTrId("progress.emptyTrash");
    case OperationDescription::Kind::rename: return qtTrId("progress.rename").arg(item, destination);
    case OperationDescription::Kind::createFile:
    case OperationDescription::Kind::createFolder: return qtTrId("progress.create").arg(item);
    }
    return {};
}

QString OperationText::name(const OperationDescription& description) {
    const int count = int(description.itemCount);
    const QString destination =
        description.destinationName.isEmpty() ? u"/"_s : FileName::displayText(description.destinationName);
    const QString item = FileName::displayText(description.itemName);
    switch (description.kind) {
    case OperationDescription::Kind::trash: return qtTrId("operation.trash", count);
    case OperationDescription::Kind::move: return qtTrId("operation.move", count).arg(destination);
    case OperationDescription::Kind::copy: return qtTrId("operation.copy", count).arg(destination);
    case OperationDescription::Kind::batchRename: return qtTrId("operation.batchRename", count);
    case OperationDescription::Kind::restore: return qtTrId("operation.restore", count);
    case OperationDescription::Kind::deleteForGood: return qtTrId("operation.deleteForGood", count);
    case OperationDescription::Kind::emptyTrash: return qtTrId("operation.emptyTrash");
    case OperationDescription::Kind::rename: return qtTrId("operation.rename").arg(item, destination);
    case OperationDescription::Kind::createFile: return qtTrId("operation.createFile").arg(item);
    case OperationDescription::Kind::createFolder: return qtTrId("operation.createFolder").arg(item);
    }
    return {};
}

QString OperationText::recoveryNotice(const RecoveryReport& report) {
    QStringList sentences;
    for (const RecoveredOperation& operation : report)
        sentences.append(recoveredSentence(operation));
    return sentences.join(u' ');
}

} // namespace quillmere
