#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace ferrowen {

// One running process, told apart from a later process that got the same
// pid: the pid together with the process's start time (clock ticks after
// boot, from /proc/<pid>/stat; 0 where /proc cannot tell).
struct ProcessIdentity
{
    qint64 pid = 0;
    quint64 startTime = 0;

    static ProcessIdentity current();
    static ProcessIdentity of(qint64 pid);

    // "pid startTime"; parse() reads it back, and nothing for other text.
    QString toString() const;
    static std::optional<ProcessIdentity> parse(QStringView text);

    // False once the process has ended (a zombie counts as ended), also when
    // its pid now belongs to another process.
    bool isRunning() const;

    friend bool operator==(const ProcessIdentity &a, const ProcessIdentity &b)
    {
        return a.pid == b.pid && a.startTime == b.startTime;
    }
    friend bool operator!=(const ProcessIdentity &a, const ProcessIdentity &b) { return !(a == b); }
};

} // namespace ferrowen
