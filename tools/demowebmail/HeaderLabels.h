#pragma once

#include <QString>

namespace ferrowen::demowebmail {

// The texts that introduce each header value on a displayed message. Message
// capture cuts the values out of the page's rendered text by these labels,
// so they are written into the page exactly as they stand here, each label
// followed by one space and its value on a line of its own.
struct MessageHeaderLabels
{
    QString from;
    QString to;
    QString replyTo;
    QString subject;
    QString date;
};

// Yahoo-style page, lines in this order: From, To, Reply-To (when the
// message has one), Subject, Date. The From line ends with " | Add to
// Address Book", so the sender ends before the "|".
inline const MessageHeaderLabels YahooHeaderLabels{
    QStringLiteral("From:"),
    QStringLiteral("To:"),
    QStringLiteral("Reply-To:"),
    QStringLiteral("Subject:"),
    QStringLiteral("Date:"),
};

// Hotmail-style page, lines in this order: From, Reply-To (when the message
// has one), To, Subject, Date.
inline const MessageHeaderLabels HotmailHeaderLabels{
    QStringLiteral("From :"),
    QStringLiteral("To :"),
    QStringLiteral("Reply-To :"),
    QStringLiteral("Subject :"),
    QStringLiteral("Date :"),
};

} // namespace ferrowen::demowebmail
