#pragma once

#include <QList>
#include <QString>

namespace quillmere {

// One clickable part of the address bar's path: the text shown and the folder it stands for.
struct BreadcrumbSegment {
    QString label;
    QString path;
    bool operator==(const BreadcrumbSegment&) const = default;
};

// "/" first, then one segment per component of the standardised folder path, each
// standing for the folder up to and including that component.
QList<BreadcrumbSegment> breadcrumbSegments(QStringView folder);

} // namespace quillmere
