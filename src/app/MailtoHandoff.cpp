#include "app/MailtoHandoff.h"

#include "app/SettingsLockWaits.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <optional>

namespace ferrowen {

MailtoHandoff::MailtoHandoff(const SettingsFile &settings, WriteTrace writeTrace, PumpEvents pumpEvents,
                             FillCompose fillCompose)
    // Not waiting for the disk: a clearing lost with the whole machine only
    // makes the link be filled once more at the next start.
    : m_file(settings.profile().withLockTimeout(InterfaceLockWait).withoutFlush())
    , m_writeTrace(std::move(writeTrace))
    , m_pumpEvents(std::move(pumpEvents))
    , m_fillCompose(std::move(fillCompose))
{
}

StatusOr<QString> MailtoHandoff::tick()
{
    if (m_running || (m_held && m_held()))
        return QString();
    m_running = true;
    struct Reset { bool &flag; ~Reset() { flag = false; } } reset{m_running};

    if (m_pumpEvents)
        m_pumpEvents();
    // The events may have started a mail merge.
    if (m_held && m_held())
        return QString();
    const QString link = m_file.readWholeString(SettingKeys::Mailto.section, SettingKeys::Mailto.name, QString());
    if (link.isEmpty())
        return QString();
    if (link == m_done)
        return untilClear().count() > 0 ? QString() : clear(link);
    // It waits in the compose filling.
    if (link == m_handedOver)
        return QString();

    m_writeTrace(QStringLiteral("7777"));
    m_handedOver = link;
    m_writeTrace(QStringLiteral("7788"));
    if (m_pumpEvents)
        m_pumpEvents();
    m_fillCompose(link);
    m_writeTrace(QStringLiteral("8888"));
    // A link filled now leaves the file at the next tick, once the window
    // has shown the filled form.
    return QString();
}

void MailtoHandoff::linkDone(const QString &link)
{
    if (link == m_handedOver)
        m_handedOver.clear();
    m_done = link;
    m_doneSince.start();
}

std::chrono::milliseconds MailtoHandoff::untilClear() const
{
    if (m_done.isEmpty())
        return std::chrono::milliseconds(0);
    return std::max(std::chrono::milliseconds(0), m_clearDelay - std::chrono::milliseconds(m_doneSince.elapsed()));
}

StatusOr<QString> MailtoHandoff::clear(const QString &link)
{
    // Cleared only if it still holds the link: one written in between by
    // another writer stays for the next tick.
    const Status cleared = m_file.update(SettingKeys::Mailto.section, SettingKeys::Mailto.name, [&link](const std::optional<QString> &current) {
        return current && *current == link ? std::optional<QString>(QString()) : std::nullopt;
    });
    if (!cleared)
        return cleared;
    m_done.clear();
    return link;
}

} // namespace ferrowen
