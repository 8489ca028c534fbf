#include "sorvik2/MailtoHandoffWriter.h"

#include "settings/SettingsFile.h"
#include "platform/IniDocument.h"
#include "sorvik2/MailtoWaitQueue.h"
#include "platform/ProfileFile.h"

#include <QDeadlineTimer>
#include <QThread>

#include <optional>

namespace ferrowen {

namespace {

// What a waiter sees without the lock. Any change means the program is
// taking links and the queue moves.
struct QueueView
{
    QString waitingLink;
    std::optional<ProcessIdentity> firstRunningWaiter;
    bool myTurn = false;

    bool sameProgress(const QueueView &other) const
    {
        return waitingLink == other.waitingLink && firstRunningWaiter == other.firstRunningWaiter;
    }
};

QueueView look(const ProfileFile &settings, const QString &queuePath, const ProcessIdentity &self)
{
    QueueView view;
    view.waitingLink = settings.readWholeString(SettingKeys::Mailto.section, SettingKeys::Mailto.name, QString());
    if (const StatusOr<MailtoWaitQueue> queue = MailtoWaitQueue::read(queuePath)) {
        for (const ProcessIdentity &waiter : queue->waiters()) {
            if (waiter.isRunning()) {
                view.firstRunningWaiter = waiter;
                break;
            }
        }
        view.myTurn = view.waitingLink.isEmpty() && queue->isTurnOf(self);
    }
    // An unreadable queue is never this waiter's turn; the locked step
    // reports why when the stall timeout ends the wait.
    return view;
}

} // namespace

bool isMailtoLink(const QString &text)
{
    return text.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
}

QString linkForSettingsFile(const QString &link)
{
    QString encoded = link;
    encoded.replace(u'\r', QStringLiteral("%0D"));
    encoded.replace(u'\n', QStringLiteral("%0A"));
    encoded.replace(QChar(0), QStringLiteral("%00"));
    return encoded;
}

MailtoHandoffWriter::MailtoHandoffWriter(ProfileFile &settings, ProcessIdentity self)
    : m_settings(settings)
    , m_self(self)
    , m_queuePath(MailtoWaitQueue::pathFor(settings.path()))
{
}

Status MailtoHandoffWriter::writeOrQueue(IniDocument &settings, const QString &value, bool &written)
{
    StatusOr<MailtoWaitQueue> read = MailtoWaitQueue::read(m_queuePath);
    if (!read)
        return read.status();
    MailtoWaitQueue &queue = read.value();
    queue.dropEnded();

    const bool keyIsFree = settings.value(SettingKeys::Mailto.section, SettingKeys::Mailto.name).value_or(QString()).isEmpty();
    if (keyIsFree && queue.isTurnOf(m_self)) {
        if (Status set = settings.setValue(SettingKeys::Mailto.section, SettingKeys::Mailto.name, value); !set)
            return set;
        queue.remove(m_self);
        written = true;
    } else {
        queue.add(m_self);
    }
    return queue.isChanged() ? queue.save() : Status::success();
}

Status MailtoHandoffWriter::leaveQueue()
{
    return m_settings.edit([this](IniDocument &) {
        StatusOr<MailtoWaitQueue> read = MailtoWaitQueue::read(m_queuePath);
        if (!read)
            return read.status();
        read.value().remove(m_self);
        read.value().dropEnded();
        return read->isChanged() ? read->save() : Status::success();
    });
}

Status MailtoHandoffWriter::write(const QString &link, const std::function<void()> &onWaiting)
{
    const QString value = linkForSettingsFile(link);
    bool written = false;
    const auto step = [&](IniDocument &settings) { return writeOrQueue(settings, value, written); };

    if (Status first = m_settings.edit(step); !first || written)
        return first;
    if (onWaiting)
        onWaiting();

    QueueView seen = look(m_settings, m_queuePath, m_self);
    QDeadlineTimer stall(m_stallTimeout);
    for (;;) {
        QThread::msleep(static_cast<unsigned long>(m_pollInterval.count()));
        const QueueView now = look(m_settings, m_queuePath, m_self);
        if (!now.sameProgress(seen)) {
            seen = now;
            stall.setRemainingTime(m_stallTimeout);
        }
        if (now.myTurn) {
            const Status attempt = m_settings.edit(step);
            if (attempt && written)
                return attempt;
            if (!attempt) {
                // Its own failure is what the user has to hear about; an
                // entry left behind is dropped by the next companion once
                // this process has ended.
                (void)leaveQueue();
                return attempt;
            }
        }
        if (stall.hasExpired()) {
            const Status left = leaveQueue();
            return Status::failure(
                QStringLiteral("an earlier mail link has waited in %1 for %2 seconds without being taken; is Ferrowen running?%3")
                    .arg(m_settings.path())
                    .arg(m_stallTimeout.count() / 1000.0)
                    .arg(left ? QString() : QStringLiteral(" (%1)").arg(left.error())));
        }
    }
}

} // namespace ferrowen
