#include "UnprivilegedChild.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace quillmere::test {

UnprivilegedChild::UnprivilegedChild(const QByteArray& folder) {
    const QString setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
    if (setpriv.isEmpty()) {
        m_problem = u"setpriv (util-linux) is not installed"_s;
        return;
    }
    m_program = QFile::decodeName(folder) + u"/test-program"_s;
    QFile::remove(m_program);
    if (!QFile::copy(u"/proc/self/exe"_s, m_program) ||
        !QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                              QFile::ExeOther)) {
        m_problem = u"cannot copy the test program to "_s + m_program;
        return;
    }
    const QString answer = run({u"--whoami"_s}, QProcessEnvironment::systemEnvironment());
    if (answer != QString::number(nobody))
        m_problem = u"cannot run a program as nobody through setpriv: "_s + answer;
}

QString UnprivilegedChild::run(const QStringList& arguments, const QProcessEnvironment& environment) const {
    QProcess process;
    process.setProcessEnvironment(environment);
    const QString id = QString::number(nobody);
    process.start(u"setpriv"_s,
                  QStringList{u"--reuid="_s + id, u"--regid="_s + id, u"--clear-groups"_s, m_program} +
                      arguments);
    if (!process.waitForFinished(120000))
        return u"did not finish: "_s + process.errorString();
    const QString output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return output + u" [exit %1] "_s.arg(process.exitCode()) +
               QString::fromLocal8Bit(process.readAllStandardError());
    return output;
}

} // namespace quillmere::test
