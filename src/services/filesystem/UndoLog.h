#pragma once

#include "models/paths/FilePath.h"
#include "platform/PlatformError.h"
#include "services/filesystem/ItemError.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quillmere {

// The compensation list of a multi-item operation. Each completed step records how
// to undo it and which location stays out of place if the undo fails. rollBack()
// undoes from the last step to the first, never stops at a failed undo, and returns
// the names of the locations it could not put back, in the order it met them.
class UndoLog final {
public:
    void record(std::function<void()> undo, QString strandedLocation);
    QStringList rollBack();

    // Ends an operation whose step at failedLocation failed: rolls back, then throws
    // Error's rollbackFailed naming what stays out of place (first anything the failed
    // step itself left behind), or else the failed step's item error.
    template <typename Error>
    [[noreturn]] void rollBackAndThrow(const PlatformError& error, const QString& failedLocation) {
        throw rollBackToError<Error>(error, failedLocation, false);
    }

    // The same, returning the error; a cancelled operation gets Error's cancelled case,
    // naming what stays out of place, if anything.
    template <typename Error>
    Error rollBackToError(const PlatformError& error, const QString& failedLocation, bool cancelled) {
        QStringList stranded;
        if (!error.leftBehind().isEmpty())
            stranded.append(FilePath::lastComponent(error.leftBehind()));
        stranded.append(rollBack());
        if (cancelled)
            return Error::cancelled(stranded);
        if (!stranded.isEmpty())
            return Error::rollbackFailed(stranded);
        return itemError<Error>(error, failedLocation);
    }

private:
    struct Step {
        std::function<void()> undo;
        QString strandedLocation;
    };
    std::vector<Step> m_steps;
};

} // namespace quillmere
