#pragma once

#include "webmail/ReplyOrForward.h"

#include <QList>
#include <QString>

namespace ferrowen {

// The values a filling writes into the compose form.
struct ComposeDraft
{
    QString recipient;
    QString cc;
    QString bcc;
    QString subject;
    QString body;
};

// One filling of the compose form with everything it writes, gathered when
// it was asked for: it can wait (for the user to sign in, or beside a
// message the user is writing) without its source being read again.
struct ComposeRequest
{
    // Why a filling waits instead of writing.
    enum class Waiting {
        ForComposePage, // no compose page could be reached: filled as soon as one can
        PutAside,       // kept beside the user's own message: filled when the user says so
    };

    ComposeMode mode = ComposeMode::Mailto;
    // Read from its source by the filling, once: a request made before
    // that holds no draft yet.
    bool gathered = false;
    ComposeDraft draft;
    // The link as it was handed over; empty for other fillings.
    QString mailtoLink;
    Waiting waiting = Waiting::ForComposePage;

    bool isMailLink() const { return mode == ComposeMode::Mailto; }
};

// What the filling is, in words: "the mail link to ann@example.com",
// "the reply to Ann <ann@example.com>", "the template “Offer”".
QString describeRequest(const ComposeRequest &request);

// The words the window shows while fillings wait, naming the first:
// "Sign in to your webmail; the mail link to ann@example.com is waiting."
// or "Put aside: the reply to ann@example.com." and how many more wait.
QString waitingNotice(const QList<ComposeRequest> &waiting);

} // namespace ferrowen
