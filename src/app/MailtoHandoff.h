#pragma once

#include <QString>

#include <functional>

namespace ferrowen {

class SettingsFile;

// Picks up a mailto link another process left in the settings file and
// hands it to the compose filling. Runs once a second from the main
// window's timer.
class MailtoHandoff
{
public:
    using PumpEvents = std::function<void()>;
    using FillCompose = std::function<void(const QString &link)>;

    MailtoHandoff(SettingsFile &settings, PumpEvents pumpEvents, FillCompose fillCompose);

    // One timer tick. Returns the link it handled, empty when there was none.
    QString tick();

private:
    SettingsFile &m_settings;
    PumpEvents m_pumpEvents;
    FillCompose m_fillCompose;
    bool m_running = false;
};

} // namespace ferrowen
