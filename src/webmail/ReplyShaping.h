#pragma once

#include "webmail/ReplyOrForward.h"

#include <QString>

namespace ferrowen {

// How a reply, forward or resend shapes what it takes from a saved message.

// "RE: " before a reply's subject, "FWD: " before a forward's; every other
// mode keeps the subject. An existing prefix is not looked for.
QString subjectForMode(ComposeMode mode, const QString &subject);

// Some sites take only the address part of "Ann <ann@example.com>": the
// text from the first "<" on. A recipient without "<" stays as it is.
QString recipientFromAngleBracket(const QString &recipient);

// The body written into the compose form: a reply with text and a forward
// get two empty lines, the wrap and the ">" quoting; a resend the empty
// lines and the wrap only; a mail link its own body; a blank reply none.
QString bodyForMode(ComposeMode mode, const QString &savedBody);

} // namespace ferrowen
