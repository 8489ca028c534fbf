#pragma once

#include <QString>

namespace ferrowen {

// What a handed-over mailto link puts into a new message.
struct MailtoFields
{
    QString recipient;
    QString subject;
};

// Splits a mailto link the way the compose filling has always read it: the
// recipient is everything before the first "?", the subject everything after
// the first "ect=" behind it, to the end of the link. On top of that the
// "mailto:" scheme is dropped and percent-escapes are decoded, since links
// arrive from browsers and desktops in their encoded form.
MailtoFields parseMailtoLink(const QString &link);

} // namespace ferrowen
