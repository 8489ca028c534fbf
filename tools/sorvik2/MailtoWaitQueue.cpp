#include "sorvik2/MailtoWaitQueue.h"

#include "platform/SaveFileLeftovers.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace ferrowen {

MailtoWaitQueue::MailtoWaitQueue(QString path)
    : m_path(std::move(path))
{
}

QString MailtoWaitQueue::pathFor(const QString &settingsPath)
{
    return settingsPath + QStringLiteral(".mailto-queue");
}

StatusOr<MailtoWaitQueue> MailtoWaitQueue::read(const QString &path)
{
    MailtoWaitQueue queue(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return queue;
        return Status::failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    const QString text = QString::fromLatin1(file.readAll());
    for (const QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (const std::optional<ProcessIdentity> waiter = ProcessIdentity::parse(line); waiter && !queue.contains(*waiter))
            queue.m_waiters.push_back(*waiter);
    }
    return queue;
}

bool MailtoWaitQueue::contains(const ProcessIdentity &waiter) const
{
    return std::find(m_waiters.begin(), m_waiters.end(), waiter) != m_waiters.end();
}

void MailtoWaitQueue::add(const ProcessIdentity &waiter)
{
    if (contains(waiter))
        return;
    m_waiters.push_back(waiter);
    m_changed = true;
}

void MailtoWaitQueue::remove(const ProcessIdentity &waiter)
{
    const auto end = std::remove(m_waiters.begin(), m_waiters.end(), waiter);
    m_changed = m_changed || end != m_waiters.end();
    m_waiters.erase(end, m_waiters.end());
}

void MailtoWaitQueue::dropEnded()
{
    const auto end = std::remove_if(m_waiters.begin(), m_waiters.end(),
                                    [](const ProcessIdentity &waiter) { return !waiter.isRunning(); });
    m_changed = m_changed || end != m_waiters.end();
    m_waiters.erase(end, m_waiters.end());
}

bool MailtoWaitQueue::isTurnOf(const ProcessIdentity &waiter) const
{
    for (const ProcessIdentity &ahead : m_waiters) {
        if (ahead == waiter)
            return true;
        if (ahead.isRunning())
            return false;
    }
    return true;
}

Status MailtoWaitQueue::save() const
{
    // Killed writers of this file leave the same kind of leftovers as
    // writers of the settings file; the caller holds the lock.
    if (Status cleaned = removeSaveFileLeftovers(m_path); !cleaned)
        qWarning("%s", qPrintable(cleaned.error()));

    if (m_waiters.empty()) {
        if (QFile::exists(m_path) && !QFile::remove(m_path))
            return Status::failure(QStringLiteral("cannot remove %1").arg(m_path));
        return Status::success();
    }
    QByteArray text;
    for (const ProcessIdentity &waiter : m_waiters)
        text += waiter.toString().toLatin1() + '\n';
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(m_path, file.errorString()));
    return Status::success();
}

} // namespace ferrowen
