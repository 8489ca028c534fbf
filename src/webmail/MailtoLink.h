#pragma once

#include <QString>

namespace ferrowen {

// What a handed-over mailto link puts into a new message.
struct MailtoFields
{
    QString to;  // addresses joined by ", "
    QString cc;  // likewise
    QString bcc; // likewise
    QString subject;
    QString body; // line breaks as CR LF, as the compose forms post them
};

// Reads a mailto link as RFC 6068 writes it:
// mailto:addr1,addr2?subject=...&body=...&cc=...
//
// - A leading "mailto:" in any case is dropped, and so are blanks around the
//   link; a link without the scheme reads the same.
// - The addresses before "?" and those of every "to" field go into `to`;
//   every "cc" and "bcc" field adds to `cc` and `bcc`. Addresses are split
//   at commas and joined again by ", ".
// - Field names count in any case; fields other than to, cc, bcc, subject
//   and body are ignored. A repeated subject or body replaces the earlier one.
// - Percent-escapes are decoded as UTF-8 after the link is split, so "%26"
//   and "%3D" stay inside their value. A byte sequence that is not UTF-8
//   becomes the replacement character U+FFFD; a "%" not followed by two
//   hexadecimal digits is kept as written.
// - "+" stays a plus sign: mailto links are not form-encoded.
MailtoFields parseMailtoLink(const QString &link);

} // namespace ferrowen
