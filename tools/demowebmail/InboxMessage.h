#pragma once

#include <QList>
#include <QString>

namespace ferrowen::demowebmail {

// One message waiting in a demo inbox. The seeded messages come from the
// resource "inbox.json", keyed by mailbox.
struct InboxMessage
{
    int id = 0;
    QString fromName;
    QString fromAddress;
    QString to;
    QString replyTo; // empty when the message has none
    QString subject;
    QString date;    // as a mail header writes it: "Tue, 3 Nov 2026 09:14:00 +0000"
    QString body;    // plain text, or markup when isHtml
    bool isHtml = false;
    bool unread = false;
    // The message this one answers, shown above it as the conversation's
    // earlier part (plain text); empty for none.
    QString earlierFrom;
    QString earlierBody;

    // "Name <address>", or the bare address when there is no name.
    QString from() const;
    // The date as the inbox list shows it: "3 Nov".
    QString shortDate() const;
};

QList<InboxMessage> seededInbox(const QString &mailboxKey);

} // namespace ferrowen::demowebmail
