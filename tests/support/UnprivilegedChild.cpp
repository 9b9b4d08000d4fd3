#include "UnprivilegedChild.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace quillmere::test {

UnprivilegedChild::UnprivilegedChild(const QByteArray& folder) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        m_problem = QStringLiteral("setpriv (util-linux) is not installed");
        return;
    }
    m_program = QFile::decodeName(folder) + QStringLiteral("/test-program");
    QFile::remove(m_program);
    if (!QFile::copy(QStringLiteral("/proc/self/exe"), m_program) ||
        !QFile::setPermissions(m_program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                              QFile::ExeOther)) {
        m_problem = QStringLiteral("cannot copy the test program to ") + m_program;
        return;
    }
    const QString answer = run({QStringLiteral("--whoami")}, QProcessEnvironment::systemEnvironment());
    if (answer != QString::number(nobody))
        m_problem = QStringLiteral("cannot run a program as nobody through setpriv: ") + answer;
}

QString UnprivilegedChild::run(const QStringList& arguments, const QProcessEnvironment& environment) const {
    QProcess process;
    process.setProcessEnvironment(environment);
    const QString id = QString::number(nobody);
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                              QStringLiteral("--clear-groups"), m_program} +
                      arguments);
    if (!process.waitForFinished(120000))
        return QStringLiteral("did not finish: ") + process.errorString();
    const QString output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return output + QStringLiteral(" [exit %1] ").arg(process.exitCode()) +
               QString::fromLocal8Bit(process.readAllStandardError());
    return output;
}

} // namespace quillmere::test
