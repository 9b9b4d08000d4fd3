#include "models/navigation/NavigationHistory.h"

#include <algorithm>

namespace quillmere {

NavigationHistory::NavigationHistory(const QString& start)
    : m_entries{start} {}

void NavigationHistory::push(const QString& path) {
    m_entries.resize(m_index + 1);
    m_entries.append(path);
    m_index = m_entries.size() - 1;
}

bool NavigationHistory::goBack() {
    if (!canGoBack())
        return false;
    --m_index;
    return true;
}

bool NavigationHistory::goForward() {
    if (!canGoForward())
        return false;
    ++m_index;
    return true;
}

void NavigationHistory::restore(const QStringList& entries, qint64 index, const QString& fallback) {
    if (entries.isEmpty()) {
        m_entries = QStringList{fallback};
        m_index = 0;
        return;
    }
    m_entries = entries;
    m_index = qsizetype(std::clamp<qint64>(index, 0, entries.size() - 1));
}

void NavigationHistory::rewriteEntries(const std::function<std::optional<QString>(const QString&)>& rewrite) {
    for (QString& entry : m_entries) {
        if (std::optional<QString> replaced = rewrite(entry))
            entry = std::move(*replaced);
    }
}

} // namespace quillmere
