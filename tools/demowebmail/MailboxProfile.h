#pragma once

#include "demowebmail/HeaderLabels.h"

#include <QString>

namespace ferrowen::demowebmail {

// What differs between the two demo mailboxes. Each mailbox lives under one
// first path segment (its key), so a page's compose page is always
// "/<key>/compose", and its pages are rendered from the templates in the
// resource folder of the same name.
struct MailboxProfile
{
    QString key;         // "yahoo" or "hotmail"
    QString brand;       // name in the page header
    // Names of the compose form's fields.
    QString toField;
    QString ccField;
    QString bccField;
    QString subjectField;
    QString bodyField;
    // A post counts as a send when its data or the query of the address it
    // was posted to holds this parameter: the Send button's own name, or what
    // a script appends to the form's action.
    QString sendMarker;
    QString draftMarker; // the "Save Draft" button; empty when the page has none
    MessageHeaderLabels labels;
    QString inboxScript; // script of the inbox page: selection count and conveniences

    QString path(const QString &page) const;
    QString templateName(const QString &page) const;
    // The name and value a message's check box posts on the inbox form.
    QString messageBoxName(int id) const;
    QString messageBoxValue(int id) const;
};

const MailboxProfile &yahooMailbox();
const MailboxProfile &hotmailMailbox();

} // namespace ferrowen::demowebmail
