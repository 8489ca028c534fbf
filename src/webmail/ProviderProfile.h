#pragma once

#include "platform/WebPage.h"

#include <QList>
#include <QString>

#include <vector>

namespace ferrowen {

// The roles of the compose form's fields.
enum class ComposeField { To, Cc, Bcc, Subject, Body };

// Form and field names of a provider's compose page, passed to the page
// exactly as written.
struct ComposeFormNames
{
    QString form;
    QString to;
    QString cc;
    QString bcc;
    QString subject;
    QString body;
    // The parameter a press of the site's send button posts (in the form
    // data, or in the query of the address posted to); empty when every
    // post of the form is a send, unless it is a draft.
    QString sendParameter;
    // The parameter that marks a post as a saved draft when it is posted
    // with a value (the same form posts it empty for a send), or bare, or
    // in the query of the address posted to; empty when the page saves no
    // drafts through the form.
    QString draftParameter;

    const QString &field(ComposeField role) const;
    // Added to the form's action address when the mail merge submits the
    // form, so the site takes it for a press of its send button.
    QString sendSuffix() const { return QLatin1Char('&') + sendParameter; }
};

// A plain-text copy of the body that some compose pages keep beside the
// body field and send instead of it. Empty names: the page has none.
struct PlainTextMirrorNames
{
    QString elementId;     // written through innerHTML
    QString fallbackForm;  // when the element is missing: this form's field
    QString fallbackField;
    // After the mirror is written the subject and the recipient are written
    // once more; the recipient goes to this field of the compose form.
    QString recipientField;

    bool present() const { return !elementId.isEmpty(); }
};

// The texts that introduce the header values of a displayed message in the
// page's rendered text, as one version or language of the provider's
// message page shows them. The subject label tells the versions apart: a
// page is of the version whose subject label it holds.
struct MessageHeaderLabels
{
    QString from;
    QString to;
    QString replyTo;
    QString subject;
    QString date;
};

// Where a message displayed in the inbox pane keeps its body: the element
// with this id, or else the element bodyWalk finds last (the HTML it reads
// first); and the header labels of every version of the message page the
// capture knows.
struct DisplayedMessageNames
{
    QString bodyElementId;
    ElementWalk bodyWalk;
    QList<MessageHeaderLabels> headerLabels;
};

// Everything the automation knows about one webmail provider. A provider's
// pages are recognised by their own markers (through its page script), by
// an address the user pinned to it, or by the inbox pane's address; the
// names are those of the provider's own pages.
struct ProviderProfile
{
    QString key;
    // The name the user picks the provider by ("Roundcube").
    QString displayName;
    // The provider of every inbox address that contains this word (in any
    // case). The last profile of the table has none: it serves every other
    // address, a blank pane included.
    QString addressWord;
    // The program's page script that does this provider's page work where
    // names are not enough, one call per operation (ProviderScript.h):
    // recognising its pages wherever they are served, reading a displayed
    // message, sending through the page's own send command, ticking inbox
    // rows through the list's own selection. Empty: names suffice.
    QString pageScript;
    // The compose page is the inbox address's own path with this query
    // (the site serves every page from one address); empty: the inbox
    // address up to its first path segment, plus "compose".
    QString composeQuery;
    ComposeFormNames compose;
    PlainTextMirrorNames plainTextMirror;
    // The compose page stops to ask (a dialog of the browser) before it
    // sends a message without a body.
    bool asksBeforeEmptyBody = false;
    // Reply recipients such as "Ann <ann@example.com>" are cut to the part
    // from the first "<" on before they are written.
    bool recipientFromAngleBracket = false;
    DisplayedMessageNames displayedMessage;
    // The inbox's message check boxes, top to bottom, each read for
    // whether it is ticked.
    ElementWalk messageBoxes;
    QString startAddress;
    // Empty: the webmail has no calendar.
    QString calendarAddress;
};

inline const QString YahooKey = QStringLiteral("yahoo");
inline const QString HotmailKey = QStringLiteral("hotmail");
inline const QString RoundcubeKey = QStringLiteral("roundcube");

// Every provider the automation knows, in the order they are recognised.
const std::vector<ProviderProfile> &providerProfiles();

// The profile whose word the inbox address contains (compared in lower
// case), or the last profile of the table when none does.
const ProviderProfile &profileForInboxAddress(const QString &inboxLocation);
// The profile of a provider key ("yahoo", "hotmail"); the last profile for
// an unknown key.
const ProviderProfile &profileForKey(const QString &key);

// Element ids of a saved message file, by which the preview is read back.
// They are the same whatever the provider.
struct SavedMessageElementIds
{
    QString replyTo;
    QString to;
    QString cc;
    QString bcc;
    QString body;
    QString subject;
};
const SavedMessageElementIds &savedMessageElementIds();

} // namespace ferrowen
