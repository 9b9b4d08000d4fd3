#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

namespace quillmere {

// A folder the user saved for quick return. `url` is the folder's standardised path.
struct Bookmark {
    QUuid id;
    QString url;
    QDateTime addedAt;

    bool operator==(const Bookmark&) const = default;
};

} // namespace quillmere
