#include "sorvik2/DesktopNotifier.h"

#include "settings/ProgramTitle.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTextStream>
#include <QVariantMap>

namespace ferrowen {

DesktopNotifier::DesktopNotifier(QTextStream &fallback)
    : m_fallback(fallback)
{
}

Status DesktopNotifier::notify(const QString &summary, const QString &body)
{
    const Status shown = notifyOnSessionBus(summary, body);
    if (shown)
        return shown;
    m_fallback << "sorvik2: " << summary << ": " << body << '\n';
    m_fallback.flush();
    if (m_fallback.status() != QTextStream::Ok)
        return Status::failure(QStringLiteral("no desktop notification (%1) and no standard error").arg(shown.error()));
    return Status::success();
}

Status DesktopNotifier::notifyOnSessionBus(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Status::failure(QStringLiteral("no session bus"));

    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const uint replacesId = 0;
    const int expireTimeout = -1; // the notification server's default
    call << ProgramTitle.toString() << replacesId << QStringLiteral("mail-message-new") << summary << body
         << QStringList() << QVariantMap() << expireTimeout;
    const QDBusMessage reply = bus.call(call, QDBus::Block, int(replyTimeout.count()));
    if (reply.type() == QDBusMessage::ErrorMessage)
        return Status::failure(reply.errorMessage());
    return Status::success();
}

} // namespace ferrowen
