#pragma once

#include <QString>

namespace ferrowen {

// The two webmail providers the automation knows, by the key the rest of
// the program compares against.
inline const QString YahooKey = QStringLiteral("yahoo");
inline const QString HotmailKey = QStringLiteral("hotmail");

// Recognises the provider from the inbox pane's address: any address that
// mentions "yahoo" anywhere, in any case, is Yahoo; everything else,
// including a blank pane, is Hotmail.
QString DetectProvider(const QString &inboxLocation);

// Form and field names of one provider's compose page. The names are passed
// to the page exactly as written.
struct ComposeFieldNames
{
    QString form;
    QString to;
    QString cc;
    QString bcc;
    QString subject;
    QString body;
};

ComposeFieldNames composeFieldsFor(const QString &providerKey);

// Yahoo's plain-text body mirror: an element by id, or failing that a field
// of the form as the page spells it.
inline const QString YahooPlainMessageId = QStringLiteral("plainmsg");
inline const QString YahooPlainMessageForm = QStringLiteral("Compose");
inline const QString YahooPlainMessageField = QStringLiteral("PlainMsg");

} // namespace ferrowen
