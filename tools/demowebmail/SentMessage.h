#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMetaType>
#include <QString>

namespace ferrowen {

// One message the demo site accepted from a compose form.
struct SentMessage
{
    int id = 0;          // the number shown on the sent page
    QString mailbox;     // "yahoo" or "hotmail"
    QString to;
    QString cc;
    QString bcc;
    QString subject;
    QString body;        // as posted: CR LF line ends
    QByteArray rawBody;  // the posted form data, undecoded

    // The listing form: mailbox, to, cc, bcc, subject, body.
    QJsonObject toJson() const;
    // What keeping it costs, in bytes.
    qint64 retainedBytes() const;
};

} // namespace ferrowen

Q_DECLARE_METATYPE(ferrowen::SentMessage)
