#pragma once

#include "sorvik2/ProcessIdentity.h"
#include "platform/Status.h"
#include "platform/StatusOr.h"

#include <QString>

#include <vector>

namespace ferrowen {

// The companions waiting to hand over a mail link, first come first
// served. It lives in a small sidecar file beside the settings file
// (settings path + ".mailto-queue"), one waiter a line ("pid start-time"),
// and is changed only under the settings file's exclusive lock. The file is
// replaced whole, so a look without the lock sees an old or a new queue,
// never a torn one.
//
// A waiter that was killed cannot leave the queue itself; whoever looks
// treats it as gone (its process has ended), so it never blocks the others.
class MailtoWaitQueue
{
public:
    static QString pathFor(const QString &settingsPath);

    // A missing file is an empty queue; lines that are not waiters are
    // skipped.
    static StatusOr<MailtoWaitQueue> read(const QString &path);

    const std::vector<ProcessIdentity> &waiters() const { return m_waiters; }
    bool contains(const ProcessIdentity &waiter) const;

    // Adds at the end (once).
    void add(const ProcessIdentity &waiter);
    void remove(const ProcessIdentity &waiter);
    // Drops the waiters whose process has ended.
    void dropEnded();

    // No running waiter is ahead of `waiter` (for one not in the queue: no
    // running waiter at all).
    bool isTurnOf(const ProcessIdentity &waiter) const;

    // Whether add, remove or dropEnded changed anything since read.
    bool isChanged() const { return m_changed; }
    // Replaces the file atomically, or removes it when no one waits. Call
    // only under the settings file's exclusive lock.
    Status save() const;

private:
    explicit MailtoWaitQueue(QString path);

    QString m_path;
    std::vector<ProcessIdentity> m_waiters;
    bool m_changed = false;
};

} // namespace ferrowen
