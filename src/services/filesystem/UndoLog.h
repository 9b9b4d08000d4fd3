#pragma once

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

private:
    struct Step {
        std::function<void()> undo;
        QString strandedLocation;
    };
    std::vector<Step> m_steps;
};

} // namespace quillmere
