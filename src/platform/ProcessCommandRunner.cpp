#include "platform/ProcessCommandRunner.h"

#include <QProcess>

namespace ferrowen {

ProcessCommandRunner::ProcessCommandRunner(std::chrono::milliseconds timeout)
    : m_timeout(timeout)
{
}

CommandRunner::Result ProcessCommandRunner::run(const QString &program, const QStringList &arguments)
{
    Result result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(int(m_timeout.count()))) {
        result.errors = process.errorString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(int(m_timeout.count()))) {
        process.kill();
        process.waitForFinished(1000);
        result.errors = QStringLiteral("%1 did not finish within %2 seconds").arg(program).arg(m_timeout.count() / 1000);
        return result;
    }
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    else
        result.errors += QStringLiteral("%1 stopped unexpectedly").arg(program);
    return result;
}

} // namespace ferrowen
