#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quillmere::test {

// Runs the test program again as the user nobody (uid and gid 65534, no
// supplementary groups) through setpriv, in a sub-mode chosen by its arguments;
// root in CI is refused nothing, nobody is refused what the permissions say.
//
// The program is copied into a folder first: the build folder may lie in a home
// that nobody cannot enter.
class UnprivilegedChild final {
public:
    static constexpr unsigned nobody = 65534;

    // folder: where the copy goes; every folder above it must let nobody through.
    explicit UnprivilegedChild(const QByteArray& folder);

    // Why the child cannot run (no setpriv, no copy); empty when it can.
    const QString& problem() const { return m_problem; }
    // The child's standard output, trimmed; its error output follows a failed run.
    QString run(const QStringList& arguments, const QProcessEnvironment& environment) const;

private:
    QString m_program;
    QString m_problem;
};

} // namespace quillmere::test
