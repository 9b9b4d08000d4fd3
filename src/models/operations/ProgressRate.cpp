#include "models/operations/ProgressRate.h"

#include <cmath>

namespace quillmere {

void ProgressRate::add(qint64 atMs, qint64 done) {
    if (!m_samples.empty() && (atMs < m_samples.back().first || done < m_samples.back().second))
        m_samples.clear(); // a new run, or a new count: the old pace says nothing about it
    m_samples.emplace_back(atMs, done);
    // Keep one sample older than the window, so the window is always spanned in full.
    while (m_samples.size() > 2 && atMs - m_samples[1].first >= windowMs)
        m_samples.pop_front();
}

std::optional<double> ProgressRate::perSecond() const {
    if (m_samples.size() < 2)
        return std::nullopt;
    const auto& [firstAt, firstDone] = m_samples.front();
    const auto& [lastAt, lastDone] = m_samples.back();
    const qint64 span = lastAt - firstAt;
    if (span < shortestSpanMs || lastDone <= firstDone)
        return std::nullopt;
    return double(lastDone - firstDone) * 1000.0 / double(span);
}

std::optional<qint64> ProgressRate::secondsFor(qint64 remaining) const {
    const std::optional<double> rate = perSecond();
    if (!rate || remaining < 0)
        return std::nullopt;
    return qint64(std::ceil(double(remaining) / *rate));
}

} // namespace quillmere
