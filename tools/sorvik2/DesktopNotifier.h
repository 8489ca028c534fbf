#pragma once

#include "sorvik2/UserNotifier.h"

#include <chrono>

class QTextStream;

namespace ferrowen {

// Shows a desktop notification through the session bus
// (org.freedesktop.Notifications). Without a session bus, or when no
// notification service answers in time, it writes the message as one line
// to `fallback` (standard error) instead, and fails only when that fails
// too.
class DesktopNotifier : public UserNotifier
{
public:
    static constexpr std::chrono::milliseconds replyTimeout{3000};

    explicit DesktopNotifier(QTextStream &fallback);

    Status notify(const QString &summary, const QString &body) override;

private:
    Status notifyOnSessionBus(const QString &summary, const QString &body);

    QTextStream &m_fallback;
};

} // namespace ferrowen
