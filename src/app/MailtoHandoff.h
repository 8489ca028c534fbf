#pragma once

#include "platform/ProfileFile.h"
#include "platform/StatusOr.h"

#include <QString>

#include <functional>

namespace ferrowen {

class SettingsFile;

// Picks up a mail link another process left in "Settings"/"mailto" of the
// settings file and hands it to the compose filling, tracing its progress
// in "bug" ("7777", "7788", "8888").
//
// The link is read whole, however long. It is cleared from the file before
// the filling runs, and only if the key still holds it; the clearing waits
// at most InterfaceLockWait for the file's lock. When the clearing fails the
// link is not filled: it stays in the file for a later tick, so each link is
// filled exactly once.
class MailtoHandoff
{
public:
    using PumpEvents = std::function<void()>;
    using FillCompose = std::function<void(const QString &link)>;
    using WriteTrace = std::function<void(const QString &code)>;
    using Held = std::function<bool()>;

    MailtoHandoff(const SettingsFile &settings, WriteTrace writeTrace, PumpEvents pumpEvents, FillCompose fillCompose);

    // One hand-off. Gives the link it filled, empty when the key was empty
    // or another hand-off is still running (the filling lets events run, so
    // a tick can come in the middle of one); fails when the link could not
    // be cleared.
    StatusOr<QString> tick();

    // While held answers true, ticks leave the key unread: a mail merge
    // sending through the compose form must not see a link written over
    // its message. The link is taken at the first tick after.
    void holdWhile(Held held) { m_held = std::move(held); }

private:
    ProfileFile m_file;
    WriteTrace m_writeTrace;
    PumpEvents m_pumpEvents;
    FillCompose m_fillCompose;
    Held m_held;
    bool m_running = false;
};

} // namespace ferrowen
