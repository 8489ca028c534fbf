#include "store/MessageFileContent.h"

#include "store/SavedMessage.h"

namespace ferrowen {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString escapedAddress(QString value)
{
    return value.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

QString headerLine(const char *id, const char *label, const QString &value)
{
    return QStringLiteral("<div id=") + QLatin1String(id) + QStringLiteral("><font face=arial size=2><b>")
        + QLatin1String(label) + QStringLiteral(":&nbsp;</b>") + value + QStringLiteral("</font></div>") + CrLf;
}

} // namespace

QByteArray messageFileContent(const SavedMessage &message)
{
    const QString from = escapedAddress(message.from);
    const QString text = QStringLiteral("<html>") + CrLf + QStringLiteral("<body>") + CrLf
        + headerLine("from", "From", from)
        + headerLine("replyto", "Reply-to", message.replyTo.isEmpty() ? from : escapedAddress(message.replyTo))
        + headerLine("to", "To", escapedAddress(message.to)) + headerLine("cc", "Cc", escapedAddress(message.cc))
        + headerLine("bcc", "Bcc", escapedAddress(message.bcc)) + headerLine("subject", "Subject", message.subject)
        + headerLine("date", "Date", message.date) + QStringLiteral("<div id=body><font face=arial>") + CrLf
        + message.body + QStringLiteral("</font></div>") + CrLf;
    return text.toUtf8();
}

} // namespace ferrowen
