#pragma once

#include <QByteArray>

namespace ferrowen {

struct SavedMessage;

// The content of a saved message file: a fixed HTML skeleton with each
// header in a div of its own id ("from", "replyto", "to", "cc", "bcc",
// "subject", "date", "body"), so the preview shows it as a page and a reply
// reads the fields back by id. UTF-8, every line ended by CR LF.
//
// from, to, cc and bcc have "<" and ">" written as "&lt;" and "&gt;" (and
// nothing else escaped); subject, date and body go in as they are. The
// replyto line carries the sender again; the body is followed directly by
// "</font></div>", and the file ends after that line.
QByteArray messageFileContent(const SavedMessage &message);

} // namespace ferrowen
