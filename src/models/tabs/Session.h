#pragma once

#include "models/tabs/TabState.h"

#include <QList>

namespace quillmere {

// The window's state when it was last saved: its tabs in sidebar order, the active
// one, and whether the help panel was shown.
struct Session {
    static constexpr qint64 currentSchemaVersion = 1;

    qint64 schemaVersion = currentSchemaVersion;
    QList<TabState> tabs;
    qint64 activeTabIndex = 0;
    bool helpPanelVisible = true;

    bool operator==(const Session&) const = default;
};

} // namespace quillmere
