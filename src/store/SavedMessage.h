#pragma once

#include <QString>

namespace ferrowen {

// One message on its way into a saved-message folder: a message captured
// from the inbox pane, or a copy of a message the user sent.
struct SavedMessage
{
    // The sender as the page shows it ("Ann <ann@example.com>"); a sent
    // copy carries "Sent Message".
    QString from;
    QString subject;
    // As the page shows it; for a sent copy, sentCopyDateText().
    QString date;
    QString to;
    QString cc;
    QString bcc;
    // HTML; plain text has had its line breaks turned into "<br>" already.
    QString body;
    bool isSent = false;
    // Where replies go when the message names it ("Reply-To"); empty: to
    // the sender.
    QString replyTo = QString();
};

} // namespace ferrowen
