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

} // namespace ferrowen
