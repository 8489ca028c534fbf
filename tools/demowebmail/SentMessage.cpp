#include "demowebmail/SentMessage.h"

namespace ferrowen {

QJsonObject SentMessage::toJson() const
{
    return QJsonObject{
        {QStringLiteral("mailbox"), mailbox},
        {QStringLiteral("to"), to},
        {QStringLiteral("cc"), cc},
        {QStringLiteral("bcc"), bcc},
        {QStringLiteral("subject"), subject},
        {QStringLiteral("body"), body},
    };
}

qint64 SentMessage::retainedBytes() const
{
    qint64 bytes = rawBody.size();
    for (const QString *text : {&mailbox, &to, &cc, &bcc, &subject, &body})
        bytes += text->size() * qint64(sizeof(QChar));
    return bytes;
}

} // namespace ferrowen
