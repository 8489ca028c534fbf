#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace ferrowen::testing {

// A message for the lab's SMTP server: a plain body, an HTML body, or both
// (then sent as multipart/alternative).
struct LabMessage
{
    QString from;
    QStringList to;
    QStringList cc;
    QString subject;
    QString plainBody;
    QString htmlBody;
};

// The message as sent: UTF-8, the subject as an encoded word when it is not
// ASCII, the plain body quoted-printable and the HTML body base64.
QByteArray mimeMessage(const LabMessage &message);

// Sends the message through the SMTP server on 127.0.0.1:port to every To
// and Cc address. Returns what went wrong (the server's refusal of a
// recipient, for one), or an empty string once the server took it.
[[nodiscard]] QString deliverMail(int port, const LabMessage &message);

// One message of a Maildir, decoded: headers unfolded with their encoded
// words decoded; the first plain and HTML parts decoded from their
// transfer encoding and charset, with LF line ends.
struct MaildirMessage
{
    QString fileName;
    QList<QPair<QString, QString>> headers;
    QString plainBody;
    QString htmlBody;

    // The first header of that name (in any case), or an empty string.
    QString header(const QString &name) const;
};

MaildirMessage parseMessage(const QByteArray &raw);

// The messages of a Maildir (its new/ and cur/ folders), in the order they
// arrived. A Maildir that does not exist yet holds none.
QList<MaildirMessage> readMaildir(const QString &maildir);

} // namespace ferrowen::testing
