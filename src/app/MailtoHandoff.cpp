#include "app/MailtoHandoff.h"

#include "app/settings/SettingsFile.h"

#include <optional>

namespace ferrowen {

using namespace SettingsKeys;

MailtoHandoff::MailtoHandoff(SettingsFile &settings, PumpEvents pumpEvents, FillCompose fillCompose)
    : m_settings(settings)
    , m_pumpEvents(std::move(pumpEvents))
    , m_fillCompose(std::move(fillCompose))
{
}

QString MailtoHandoff::tick()
{
    // The filling lets events run while it waits for the compose page, so
    // the timer can fire again inside it; one hand-off at a time.
    if (m_running)
        return QString();
    m_running = true;
    struct Reset { bool &flag; ~Reset() { flag = false; } } reset{m_running};

    if (m_pumpEvents)
        m_pumpEvents();
    const QString link = m_settings.GetIni(Settings, Mailto, QString());
    if (link.isEmpty())
        return QString();

    m_settings.SetIni(Settings, Bug, QStringLiteral("7777"));
    // Cleared only if it still holds what was read: a link written in
    // between by another writer stays for the next tick.
    m_settings.profile().update(Settings, Mailto, [&link](const std::optional<QString> &current) {
        return current && *current == link ? std::optional<QString>(QString()) : std::nullopt;
    });
    m_settings.SetIni(Settings, Bug, QStringLiteral("7788"));
    if (m_pumpEvents)
        m_pumpEvents();
    m_fillCompose(link);
    m_settings.SetIni(Settings, Bug, QStringLiteral("8888"));
    return link;
}

} // namespace ferrowen
