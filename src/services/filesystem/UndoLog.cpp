#include "services/filesystem/UndoLog.h"

#include "models/paths/FilePath.h"

namespace quillmere {

void UndoLog::record(std::function<void()> undo, QString strandedLocation) {
    m_steps.push_back({std::move(undo), std::move(strandedLocation)});
}

QStringList UndoLog::rollBack() {
    QStringList stranded;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        try {
            step->undo();
        } catch (...) {
            stranded.append(FilePath::lastComponent(step->strandedLocation));
        }
    }
    m_steps.clear();
    return stranded;
}

} // namespace quillmere
