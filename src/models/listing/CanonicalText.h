#pragma once

#include <QString>

#include <vector>

namespace quillmere {

// A text beside its canonical form (NFC), so that a search made on the canonical form
// can be carried back onto the text as it was stored. Names copied from other systems
// and archives are often decomposed while typed text is precomposed; both have one
// canonical form. Escaped bytes (lone surrogates) pass through unchanged.
//
// The two are cut into the shortest runs of whole characters that correspond: each run
// of the text normalises to the run of the canonical form beside it. Normalisation can
// merge or split characters (some Indic vowel signs), so a run may hold several.
class CanonicalText final {
public:
    explicit CanonicalText(QStringView text);

    const QString& canonical() const { return m_canonical; }

    // The offset among the text's own characters of the character at `offset` among
    // the canonical form's characters.
    qsizetype originalCharacter(qsizetype offset) const;

    // Every non-overlapping occurrence of `find` (canonical, not empty) in the canonical
    // form, from the left, replaced by `with`. Runs no occurrence touches keep the text
    // as stored; a touched run is written in canonical form.
    QString replaced(QStringView find, QStringView with) const;

private:
    struct Run {
        qsizetype start = 0; // code units of the text
        qsizetype end = 0;
        qsizetype canonicalStart = 0; // code units of the canonical form
        qsizetype canonicalEnd = 0;
        qsizetype firstCharacter = 0; // of the text
        qsizetype characters = 0;
        qsizetype firstCanonicalCharacter = 0;
        qsizetype canonicalCharacters = 0;
    };

    void cutIntoRuns();

    QString m_text;
    QString m_canonical;
    bool m_isCanonical = true;
    std::vector<Run> m_runs; // empty when the text is canonical: one run, character for character
};

} // namespace quillmere
