#pragma once

#include <QString>

#include <chrono>
#include <functional>

namespace ferrowen {

class ProfileFile;

// True for text starting with "mailto:" in any case.
bool isMailtoLink(const QString &text);

// The link as it can be stored on one line of the settings file: CR, LF and
// NUL characters are percent-encoded, as they would be in a well-formed link.
QString linkForSettingsFile(const QString &link);

// Hands a mailto link to the running program through "Settings"/"mailto".
// The program clears the key once it has read a link, so a link already
// waiting there is never overwritten: the writer polls until the key is
// empty and then writes, checking and writing under one lock.
class MailtoHandoffWriter
{
public:
    enum class Result { Written, TimedOut, Failed };

    struct Outcome
    {
        Result result = Result::Failed;
        QString error; // set when result is Failed
    };

    explicit MailtoHandoffWriter(ProfileFile &settings);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    void setPollInterval(std::chrono::milliseconds interval) { m_pollInterval = interval; }

    // Writes the link once the key is empty. `onWaiting` runs once, the
    // first time the key is found holding an earlier link.
    Outcome write(const QString &link, const std::function<void()> &onWaiting = {});

private:
    ProfileFile &m_settings;
    std::chrono::milliseconds m_timeout{5000};
    std::chrono::milliseconds m_pollInterval{100};
};

} // namespace ferrowen
