#include "demowebmail/ComposeSubmission.h"

#include "demowebmail/FormFields.h"

namespace ferrowen::demowebmail {

ComposeSubmission ComposeSubmission::evaluate(const MailboxProfile &mailbox, const QByteArray &query,
                                              const QByteArray &body)
{
    const FormFields posted = FormFields::parse(body);
    const FormFields queryFields = FormFields::parse(query);

    ComposeSubmission submission;
    submission.fields.to = posted.value(mailbox.toField);
    submission.fields.cc = posted.value(mailbox.ccField);
    submission.fields.bcc = posted.value(mailbox.bccField);
    submission.fields.subject = posted.value(mailbox.subjectField);
    submission.fields.body = posted.value(mailbox.bodyField);

    const bool isSend = posted.contains(mailbox.sendMarker) || queryFields.contains(mailbox.sendMarker);
    if (!isSend) {
        submission.draftSaved = !mailbox.draftMarker.isEmpty() && posted.contains(mailbox.draftMarker);
        submission.outcome = Outcome::KeepEditing;
    } else if (submission.fields.to.trimmed().isEmpty()) {
        submission.outcome = Outcome::MissingRecipient;
    } else {
        submission.outcome = Outcome::Send;
    }
    return submission;
}

} // namespace ferrowen::demowebmail
