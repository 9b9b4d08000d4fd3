#include "models/navigation/BreadcrumbSegment.h"

#include "models/paths/FilePath.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QList<BreadcrumbSegment> breadcrumbSegments(QStringView folder) {
    if (folder.isEmpty())
        return {};
    const QString path = FilePath::standardised(folder);
    QList<BreadcrumbSegment> segments{{u"/"_s, u"/"_s}};
    QString running;
    for (const QString& component : path.split(u'/', Qt::SkipEmptyParts)) {
        running += u'/' + component;
        segments.append({component, running});
    }
    return segments;
}

} // namespace quillmere
