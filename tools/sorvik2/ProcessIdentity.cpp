#include "sorvik2/ProcessIdentity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <csignal>

namespace ferrowen {

namespace {

struct ProcStat
{
    char state = '?';
    quint64 startTime = 0;
};

// The state (field 3) and start time (field 22) of /proc/<pid>/stat. The
// command name (field 2) may hold blanks and parentheses, so the fields are
// counted from its closing parenthesis.
std::optional<ProcStat> readProcStat(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = text.mid(nameEnd + 1).simplified().split(' ');
    constexpr int StateIndex = 0;      // field 3
    constexpr int StartTimeIndex = 19; // field 22
    if (fields.size() <= StartTimeIndex || fields.at(StateIndex).isEmpty())
        return std::nullopt;
    bool ok = false;
    const quint64 startTime = fields.at(StartTimeIndex).toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return ProcStat{fields.at(StateIndex).at(0), startTime};
}

bool procIsMounted()
{
    return QFileInfo::exists(QStringLiteral("/proc/self/stat"));
}

} // namespace

ProcessIdentity ProcessIdentity::current()
{
    return of(QCoreApplication::applicationPid());
}

ProcessIdentity ProcessIdentity::of(qint64 pid)
{
    const std::optional<ProcStat> stat = readProcStat(pid);
    return {pid, stat ? stat->startTime : 0};
}

QString ProcessIdentity::toString() const
{
    return QStringLiteral("%1 %2").arg(pid).arg(startTime);
}

std::optional<ProcessIdentity> ProcessIdentity::parse(QStringView text)
{
    const QList<QStringView> parts = text.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    bool pidOk = false;
    bool startOk = false;
    const ProcessIdentity identity{parts.at(0).toLongLong(&pidOk), parts.at(1).toULongLong(&startOk)};
    if (!pidOk || !startOk || identity.pid <= 0)
        return std::nullopt;
    return identity;
}

bool ProcessIdentity::isRunning() const
{
    if (pid <= 0)
        return false;
    if (const std::optional<ProcStat> stat = readProcStat(pid)) {
        const bool ended = stat->state == 'Z' || stat->state == 'X';
        return !ended && (startTime == 0 || stat->startTime == startTime);
    }
    if (procIsMounted())
        return false;
    // Without /proc only the pid can be asked about.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace ferrowen
