#include "platform/web/ConsoleChannel.h"

#include <QByteArray>
#include <QRandomGenerator>

namespace ferrowen {

ConsoleChannel::ConsoleChannel(const QString &name)
{
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    m_token = name + QLatin1Char(':') + QString::fromLatin1(bytes.toHex()) + QLatin1Char(':');
}

QString ConsoleChannel::intoScript(QString source) const
{
    // The token holds letters, digits, dashes and colons: quoting makes it
    // a JavaScript string.
    return source.replace(QStringLiteral("/*channel*/\"\""), QLatin1Char('"') + m_token + QLatin1Char('"'));
}

std::optional<QString> ConsoleChannel::report(const QString &message) const
{
    if (!message.startsWith(m_token))
        return std::nullopt;
    return message.mid(m_token.size());
}

ConsoleChannelPage::ConsoleChannelPage(QWebEngineProfile *profile, QObject *parent, const QString &channelName,
                                       OtherMessages others)
    : QWebEnginePage(profile, parent)
    , m_channel(channelName)
    , m_others(others)
{
}

void ConsoleChannelPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                                  int lineNumber, const QString &sourceId)
{
    if (const std::optional<QString> report = m_channel.report(message))
        channelReport(*report);
    else if (m_others == OtherMessages::Logged)
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceId);
}

} // namespace ferrowen
