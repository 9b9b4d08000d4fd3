#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quillmere {

// One tab's back/forward list of visited folders, oldest first, with the position of
// the current folder. It is never empty and the position always lies inside it.
// Entries are kept as given: the same folder may appear any number of times.
class NavigationHistory final {
public:
    explicit NavigationHistory(const QString& start);

    const QStringList& entries() const { return m_entries; }
    qsizetype index() const { return m_index; }
    const QString& current() const { return m_entries.at(m_index); }

    bool canGoBack() const { return m_index > 0; }
    bool canGoForward() const { return m_index < m_entries.size() - 1; }

    // Drops the forward entries, then appends path and makes it current.
    void push(const QString& path);
    bool goBack();
    bool goForward();
    // A saved list with its index clamped into range; an empty list gives [fallback].
    void restore(const QStringList& entries, qint64 index, const QString& fallback);
    // Replaces, in place, each entry for which rewrite gives a value.
    void rewriteEntries(const std::function<std::optional<QString>(const QString&)>& rewrite);

private:
    QStringList m_entries;
    qsizetype m_index = 0;
};

} // namespace quillmere
