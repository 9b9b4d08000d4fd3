#include "models/listing/CanonicalText.h"

#include "models/listing/Graphemes.h"

#include <algorithm>

namespace quillmere {

CanonicalText::CanonicalText(QStringView text)
    : m_text(text.toString())
    , m_canonical(m_text.normalized(QString::NormalizationForm_C)) {
    m_isCanonical = m_canonical == m_text;
    if (!m_isCanonical)
        cutIntoRuns();
}

void CanonicalText::cutIntoRuns() {
    const std::vector<QStringView> original = Graphemes::split(m_text);
    const std::vector<QStringView> canonical = Graphemes::split(m_canonical);
    size_t i = 0;
    size_t j = 0;
    Run run;
    auto canonicalPart = [&] {
        return QStringView(m_canonical).sliced(run.canonicalStart, run.canonicalEnd - run.canonicalStart);
    };
    while (i < original.size() || j < canonical.size()) {
        // Take the next character of whichever side is behind until both sides of the
        // run normalise alike.
        QString normalised;
        do {
            if (i < original.size() &&
                (j == canonical.size() || normalised.size() <= canonicalPart().size())) {
                run.end += original[i++].size();
                ++run.characters;
                normalised =
                    m_text.sliced(run.start, run.end - run.start).normalized(QString::NormalizationForm_C);
            } else {
                run.canonicalEnd += canonical[j++].size();
                ++run.canonicalCharacters;
            }
        } while ((i < original.size() || j < canonical.size()) && normalised != canonicalPart());
        m_runs.push_back(run);
        run = Run{run.end,
                  run.end,
                  run.canonicalEnd,
                  run.canonicalEnd,
                  run.firstCharacter + run.characters,
                  0,
                  run.firstCanonicalCharacter + run.canonicalCharacters,
                  0};
    }
}

qsizetype CanonicalText::originalCharacter(qsizetype offset) const {
    if (m_isCanonical)
        return offset;
    const auto after =
        std::upper_bound(m_runs.begin(), m_runs.end(), offset,
                         [](qsizetype value, const Run& run) { return value < run.firstCanonicalCharacter; });
    if (after == m_runs.begin())
        return offset;
    const Run& run = *std::prev(after);
    // Within a run that merged or split characters, the n-th still points into the run.
    return run.firstCharacter +
           std::min(offset - run.firstCanonicalCharacter, std::max<qsizetype>(run.characters - 1, 0));
}

QString CanonicalText::replaced(QStringView find, QStringView with) const {
    Q_ASSERT(!find.isEmpty());
    struct Occurrence {
        qsizetype start;
        qsizetype end;
    };
    std::vector<Occurrence> occurrences;
    for (qsizetype at = m_canonical.indexOf(find); at >= 0; at = m_canonical.indexOf(find, at + find.size()))
        occurrences.push_back({at, at + find.size()});
    if (occurrences.empty())
        return m_text;

    const std::vector<Run> whole{Run{0, m_text.size(), 0, m_canonical.size(), 0, 0, 0, 0}};
    const std::vector<Run>& runs = m_isCanonical ? whole : m_runs;
    QString out;
    out.reserve(m_text.size());
    size_t next = 0;       // the first occurrence that does not end before the current run
    qsizetype written = 0; // canonical text before this offset is already in `out`
    for (const Run& run : runs) {
        while (next < occurrences.size() && occurrences[next].end <= run.canonicalStart)
            ++next;
        if (next == occurrences.size() || occurrences[next].start >= run.canonicalEnd) {
            out += QStringView(m_text).sliced(run.start, run.end - run.start);
            written = run.canonicalEnd;
            continue;
        }
        qsizetype at = std::max(run.canonicalStart, written);
        for (size_t k = next; k < occurrences.size() && occurrences[k].start < run.canonicalEnd; ++k) {
            // An occurrence begun in an earlier run was written there.
            if (occurrences[k].start >= at) {
                out += QStringView(m_canonical).sliced(at, occurrences[k].start - at);
                out += with;
                at = occurrences[k].end;
            }
            if (occurrences[k].end > run.canonicalEnd)
                break;
        }
        if (at < run.canonicalEnd)
            out += QStringView(m_canonical).sliced(at, run.canonicalEnd - at);
        written = std::max(at, run.canonicalEnd);
    }
    return out;
}

} // namespace quillmere
