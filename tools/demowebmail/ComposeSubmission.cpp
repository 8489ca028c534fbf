#include "demowebmail/ComposeSubmission.h"

#include "demowebmail/FormFields.h"

namespace ferrowen::demowebmail {

namespace {

bool anyAddressAt(const ComposeFields &fields, QLatin1String domain)
{
    const QString suffix = QLatin1Char('@') + domain;
    for (const QString &list : {fields.to, fields.cc, fields.bcc}) {
        for (const QString &address : list.split(QLatin1Char(','))) {
            if (address.trimmed().endsWith(suffix, Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

} // namespace

ComposeSubmission ComposeSubmission::evaluate(const MailboxProfile &mailbox, const QByteArray &query,
                                              const QByteArray &body)
{
    const FormFields queryFields = FormFields::parse(query);
    // A page sent in another encoding names it in its form's address.
    const QString charset = queryFields.value(QStringLiteral("charset"));
    const FormFields posted = FormFields::parse(body, charset.isEmpty() ? QStringLiteral("UTF-8") : charset);

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
    } else if (anyAddressAt(submission.fields, RefusedDomain)) {
        submission.outcome = Outcome::Refused;
    } else {
        submission.outcome = Outcome::Send;
        submission.answerLate = anyAddressAt(submission.fields, SlowDomain);
    }
    return submission;
}

} // namespace ferrowen::demowebmail
