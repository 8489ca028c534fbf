#pragma once

#include "platform/ProfileFile.h"
#include "platform/StatusOr.h"

#include <QElapsedTimer>
#include <QString>

#include <chrono>

#include <functional>

namespace ferrowen {

class SettingsFile;

// Picks up a mail link another process left in "Settings"/"mailto" of the
// settings file and hands it to the compose filling, tracing its progress
// in "bug" ("7777", "7788", "8888").
//
// The link is read whole, however long. It stays in the file until the
// filling is done with it (linkDone): filled in, or discarded by the user.
// Until then it waits in the compose filling (for the user to sign in, or
// beside a message the user is writing) and later ticks leave it there; a
// link in the file when the program starts is handed over again. It is
// cleared only if the key still holds it, waiting at most InterfaceLockWait
// for the file's lock; a clearing that fails is tried again by the next
// tick, which never fills the link a second time.
class MailtoHandoff
{
public:
    // How long a filled link stays in the file: the window shows the
    // filled form and answers the user before the file is written.
    static constexpr std::chrono::milliseconds defaultClearDelay{30};

    using PumpEvents = std::function<void()>;
    using FillCompose = std::function<void(const QString &link)>;
    using WriteTrace = std::function<void(const QString &code)>;
    using Held = std::function<bool()>;

    MailtoHandoff(const SettingsFile &settings, WriteTrace writeTrace, PumpEvents pumpEvents, FillCompose fillCompose);

    // One hand-off: clears a link the filling is done with, or hands a new
    // one to the filling. Gives the link that left the file in this tick
    // (empty when none did: the key was empty, its link was handed over now
    // or waits in the filling, or another hand-off is still running, since
    // the filling lets events run); fails when a link the filling is done
    // with could not be cleared.
    StatusOr<QString> tick();

    // The compose filling is done with the link: it leaves the file at the
    // next tick.
    void linkDone(const QString &link);
    // True while a link the filling is done with waits to leave the file,
    // and how long until a tick may clear it.
    bool hasLinkToClear() const { return !m_done.isEmpty(); }
    std::chrono::milliseconds untilClear() const;
    void setClearDelay(std::chrono::milliseconds delay) { m_clearDelay = delay; }

    // While held answers true, ticks leave the key unread: a mail merge
    // sending through the compose form must not see a link written over
    // its message. The link is taken at the first tick after.
    void holdWhile(Held held) { m_held = std::move(held); }

private:
    StatusOr<QString> clear(const QString &link);

    ProfileFile m_file;
    WriteTrace m_writeTrace;
    PumpEvents m_pumpEvents;
    FillCompose m_fillCompose;
    Held m_held;
    bool m_running = false;
    // Handed to the filling, which is not done with it yet.
    QString m_handedOver;
    // Done with, not yet cleared from the file, and since when.
    QString m_done;
    QElapsedTimer m_doneSince;
    std::chrono::milliseconds m_clearDelay = defaultClearDelay;
};

} // namespace ferrowen
