#pragma once

#include "sorvik2/ProcessIdentity.h"
#include "platform/Status.h"

#include <QString>

#include <chrono>
#include <functional>

namespace ferrowen {

class IniDocument;
class MailtoWaitQueue;
class ProfileFile;

// True for text starting with "mailto:" in any case.
bool isMailtoLink(const QString &text);

// The link as it can be stored on one line of the settings file: CR, LF and
// NUL characters are percent-encoded, as they would be in a well-formed link.
QString linkForSettingsFile(const QString &link);

// Hands a mailto link to the running program through "Settings"/"mailto".
// The program clears the key once it has read a link, so a link already
// waiting there is never overwritten. Companions that find the key taken
// queue up (MailtoWaitQueue) and are served first come, first served: each
// writes its link once the key is empty and no companion that came earlier
// still waits. Every check-and-write happens under the settings file's lock.
//
// A companion gives up only when the program has taken no link for the
// stall timeout (it is probably not running); it then leaves the queue and
// the link has not been handed over.
class MailtoHandoffWriter
{
public:
    static constexpr std::chrono::milliseconds defaultStallTimeout{60000};
    static constexpr std::chrono::milliseconds defaultPollInterval{25};

    explicit MailtoHandoffWriter(ProfileFile &settings, ProcessIdentity self = ProcessIdentity::current());

    void setStallTimeout(std::chrono::milliseconds timeout) { m_stallTimeout = timeout; }
    void setPollInterval(std::chrono::milliseconds interval) { m_pollInterval = interval; }

    // Writes the link when its turn has come. `onWaiting` runs once, when
    // the companion starts to wait.
    Status write(const QString &link, const std::function<void()> &onWaiting = {});

private:
    // Under the lock: writes the value when it is this companion's turn,
    // else makes sure it waits in the queue.
    Status writeOrQueue(IniDocument &settings, const QString &value, bool &written);
    Status leaveQueue();

    ProfileFile &m_settings;
    ProcessIdentity m_self;
    QString m_queuePath;
    std::chrono::milliseconds m_stallTimeout = defaultStallTimeout;
    std::chrono::milliseconds m_pollInterval = defaultPollInterval;
};

} // namespace ferrowen
