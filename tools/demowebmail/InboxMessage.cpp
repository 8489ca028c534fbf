#include "demowebmail/InboxMessage.h"

#include "demowebmail/PageTemplate.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace ferrowen::demowebmail {

QString InboxMessage::from() const
{
    if (fromName.isEmpty())
        return fromAddress;
    return fromName + QStringLiteral(" <") + fromAddress + QLatin1Char('>');
}

QString InboxMessage::shortDate() const
{
    const QDateTime parsed = QDateTime::fromString(date, Qt::RFC2822Date);
    if (!parsed.isValid())
        return date;
    return QStringLiteral("%1 %2").arg(parsed.date().day()).arg(QLocale::c().monthName(parsed.date().month(), QLocale::ShortFormat));
}

namespace {

// Bodies are stored as lists of lines to keep the resource readable.
QString bodyText(const QJsonValue &body)
{
    if (!body.isArray())
        return body.toString();
    QStringList lines;
    for (const QJsonValue &line : body.toArray())
        lines.append(line.toString());
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QList<InboxMessage> seededInbox(const QString &mailboxKey)
{
    const QJsonDocument document =
        QJsonDocument::fromJson(PageTemplate::resourceText(QStringLiteral("inbox.json")).toUtf8());
    QList<InboxMessage> messages;
    for (const QJsonValue &entry : document.object().value(mailboxKey).toArray()) {
        const QJsonObject object = entry.toObject();
        InboxMessage message;
        message.id = object.value(QStringLiteral("id")).toInt();
        message.fromName = object.value(QStringLiteral("fromName")).toString();
        message.fromAddress = object.value(QStringLiteral("fromAddress")).toString();
        message.to = object.value(QStringLiteral("to")).toString();
        message.replyTo = object.value(QStringLiteral("replyTo")).toString();
        message.subject = object.value(QStringLiteral("subject")).toString();
        message.date = object.value(QStringLiteral("date")).toString();
        message.body = bodyText(object.value(QStringLiteral("body")));
        message.isHtml = object.value(QStringLiteral("html")).toBool();
        message.unread = object.value(QStringLiteral("unread")).toBool();
        const QJsonObject earlier = object.value(QStringLiteral("earlier")).toObject();
        message.earlierFrom = earlier.value(QStringLiteral("from")).toString();
        message.earlierBody = bodyText(earlier.value(QStringLiteral("body")));
        messages.append(message);
    }
    return messages;
}

} // namespace ferrowen::demowebmail
