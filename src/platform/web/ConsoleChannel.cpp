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

} // namespace ferrowen
