#pragma once

#include <QString>

namespace ferrowen {

// Breaks long lines of a reply or forward body: a space that is the 43rd or
// later character of its line becomes a line break.
QString wrapBodyLines(const QString &body);

// Puts ">" after every line break, as quoted text in a reply.
QString quoteBodyLines(const QString &body);

// The plain-text mirror of a body (see PlainTextMirrorNames): "&" and "<"
// are escaped, and every ">" becomes a line break and an escaped ">".
QString plainTextMirrorHtml(const QString &body);

// Keeps what follows the first ":" of a preview line such as "To: ann",
// without the spaces (ordinary or non-breaking) that lead it.
QString withoutCaption(const QString &value);

} // namespace ferrowen
