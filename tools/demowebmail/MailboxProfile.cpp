#include "demowebmail/MailboxProfile.h"

namespace ferrowen::demowebmail {

QString MailboxProfile::path(const QString &page) const
{
    return QLatin1Char('/') + key + QLatin1Char('/') + page;
}

QString MailboxProfile::templateName(const QString &page) const
{
    return key + QLatin1Char('/') + page + QStringLiteral(".html");
}

QString MailboxProfile::messageBoxName(int id) const
{
    // Yahoo-style boxes share one name and carry the id as value; the
    // Hotmail-style inbox names each box after its message.
    return key == QLatin1String("yahoo") ? QStringLiteral("Mid") : QStringLiteral("msg_%1").arg(id);
}

QString MailboxProfile::messageBoxValue(int id) const
{
    return key == QLatin1String("yahoo") ? QString::number(id) : QStringLiteral("on");
}

const MailboxProfile &yahooMailbox()
{
    static const MailboxProfile profile{
        QStringLiteral("yahoo"),
        QStringLiteral("Demo Mail \u2014 Yahoo style"),
        QStringLiteral("To"),
        QStringLiteral("Cc"),
        QStringLiteral("Bcc"),
        QStringLiteral("Subj"),
        QStringLiteral("Body"),
        QStringLiteral("SEND"),
        QStringLiteral("SAVEDRAFT"),
        YahooHeaderLabels,
        QStringLiteral("/static/yahoo-inbox.js"),
    };
    return profile;
}

const MailboxProfile &hotmailMailbox()
{
    static const MailboxProfile profile{
        QStringLiteral("hotmail"),
        QStringLiteral("Demo Mail \u2014 Hotmail style"),
        QStringLiteral("to"),
        QStringLiteral("cc"),
        QStringLiteral("bcc"),
        QStringLiteral("subject"),
        QStringLiteral("body"),
        QStringLiteral("Send.x"),
        QString(),
        HotmailHeaderLabels,
        QStringLiteral("/static/hotmail-inbox.js"),
    };
    return profile;
}

} // namespace ferrowen::demowebmail
