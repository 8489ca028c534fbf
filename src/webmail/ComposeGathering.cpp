#include "webmail/ComposeGathering.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/MailtoLink.h"
#include "webmail/ProviderProfile.h"
#include "webmail/QuotedBody.h"
#include "webmail/ReplyShaping.h"

#include <QDeadlineTimer>

namespace ferrowen {

namespace {

// Long enough for any saved message file to load.
constexpr int PreviewWaitMs = 10000;

// A reply asked for right after a click on another message would
// otherwise read the message still shown.
void waitForChosenMessage(ComposeHost &host)
{
    const QDeadlineTimer deadline(PreviewWaitMs);
    while (!host.previewShowsChosenMessage() && !deadline.hasExpired()) {
        if (!host.letPendingEventsRun())
            throw WebPageError(QStringLiteral("The window closed while the saved message loaded."));
    }
}

ComposeDraft fromPreview(ComposeHost &host, ComposeMode mode)
{
    waitForChosenMessage(host);
    WebPage &preview = host.page(Pane::Preview);
    auto text = [&preview](const QString &id) { return preview.elementById(id).innerText(); };
    const SavedMessageElementIds &ids = savedMessageElementIds();

    ComposeDraft draft;
    if (mode == ComposeMode::ReplyWithText || mode == ComposeMode::ReplyBlank)
        draft.recipient = text(ids.replyTo);
    if (mode == ComposeMode::SendAgain) {
        draft.recipient = text(ids.to);
        draft.cc = text(ids.cc);
        draft.bcc = text(ids.bcc);
    }
    draft.body = text(ids.body);
    draft.subject = text(ids.subject);

    draft.recipient = withoutCaption(draft.recipient);
    draft.cc = withoutCaption(draft.cc);
    draft.bcc = withoutCaption(draft.bcc);
    draft.subject = subjectForMode(mode, withoutCaption(draft.subject));
    return draft;
}

} // namespace

ComposeDraft gatherDraft(ComposeHost &host, ComposeMode mode)
{
    switch (mode) {
    case ComposeMode::Mailto: {
        const MailtoFields link = parseMailtoLink(host.state().mailtoText);
        return {link.to, link.cc, link.bcc, link.subject, link.body};
    }
    case ComposeMode::InsertTemplate:
    case ComposeMode::CaptureTemplate:
        return {QString(), QString(), QString(), host.state().TemplateSubject, host.state().TemplateBody};
    default:
        return fromPreview(host, mode);
    }
}

} // namespace ferrowen
