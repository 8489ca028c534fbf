#pragma once

#include "demowebmail/MailboxProfile.h"

#include <QByteArray>
#include <QString>

namespace ferrowen::demowebmail {

struct ComposeFields
{
    QString to;
    QString cc;
    QString bcc;
    QString subject;
    QString body;
};

// What the site does with one post of a compose form.
struct ComposeSubmission
{
    enum class Outcome {
        Send,             // store the message and confirm it on another page
        KeepEditing,      // not a send (Save Draft, a plain submit): show the form again
        MissingRecipient, // a send with an empty To field: show the form with an error
        Refused,          // a send to an address at RefusedDomain: an error page, nothing stored
    };

    // Sends to addresses at these domains are refused with an error page,
    // or stored at once and answered only after SlowAnswerMs, so the
    // program's handling of both can be tried.
    static constexpr QLatin1String RefusedDomain{"refused.example"};
    static constexpr QLatin1String SlowDomain{"slow.example"};
    static constexpr int SlowAnswerMs = 20000;

    Outcome outcome = Outcome::KeepEditing;
    bool draftSaved = false; // the "Save Draft" button was pressed
    bool answerLate = false; // a send to an address at SlowDomain
    ComposeFields fields;

    // query: the undecoded query of the address posted to; body: the posted
    // form data (application/x-www-form-urlencoded).
    static ComposeSubmission evaluate(const MailboxProfile &mailbox, const QByteArray &query,
                                      const QByteArray &body);
};

} // namespace ferrowen::demowebmail
