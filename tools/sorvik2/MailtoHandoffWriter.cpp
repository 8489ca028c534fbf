#include "sorvik2/MailtoHandoffWriter.h"

#include "app/settings/SettingsFile.h"
#include "platform/ProfileFile.h"

#include <QDeadlineTimer>
#include <QThread>

namespace ferrowen {

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

MailtoHandoffWriter::MailtoHandoffWriter(ProfileFile &settings)
    : m_settings(settings)
{
}

MailtoHandoffWriter::Outcome MailtoHandoffWriter::write(const QString &link,
                                                        const std::function<void()> &onWaiting)
{
    const QString value = linkForSettingsFile(link);
    const QDeadlineTimer deadline(m_timeout);
    bool toldWaiting = false;
    for (;;) {
        bool written = false;
        const Status status =
            m_settings.writeStringIfEmpty(SettingsKeys::Settings, SettingsKeys::Mailto, value, written);
        if (!status)
            return {Result::Failed, status.error()};
        if (written)
            return {Result::Written, QString()};
        if (deadline.hasExpired())
            return {Result::TimedOut, QString()};
        if (!toldWaiting && onWaiting) {
            onWaiting();
            toldWaiting = true;
        }
        const auto pause = std::min<qint64>(m_pollInterval.count(), deadline.remainingTime());
        QThread::msleep(static_cast<unsigned long>(std::max<qint64>(pause, 0)));
    }
}

} // namespace ferrowen
