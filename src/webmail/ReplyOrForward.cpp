#include "webmail/ReplyOrForward.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/ComposePage.h"
#include "webmail/DetectProvider.h"
#include "webmail/MailtoLink.h"
#include "webmail/MergeGuard.h"
#include "webmail/ProviderProfile.h"
#include "webmail/QuotedBody.h"
#include "webmail/ReplyShaping.h"

#include <optional>

namespace ferrowen {

namespace {

const QString CrLf = QStringLiteral("\r\n");

struct Draft
{
    QString recipient;
    QString cc;
    QString bcc;
    QString subject;
    QString body;
};

bool isTemplateMode(ComposeMode mode)
{
    return mode == ComposeMode::InsertTemplate || mode == ComposeMode::CaptureTemplate;
}

// Picks the pane that holds the compose form, switching tabs as needed.
// Returns true when the form is the one the user opened in the inbox pane.
bool chooseComposePane(ComposeHost &host, ComposeMode mode)
{
    if (isTemplateMode(mode)) {
        if (host.selectedTab() > 2)
            host.selectTab(2);
        if (host.selectedTab() == 1) {
            if (host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
                return true;
            host.selectTab(2);
        }
        return false;
    }
    if (host.selectedTab() != 2) {
        host.selectTab(2);
    } else if (!host.location(Pane::Compose).contains(QLatin1String("compose"))) {
        // The tab is shown but holds no compose page (it was chosen before
        // the user logged in): open it now rather than wait for nothing.
        OpenComposePage(host);
    }
    return false;
}

Draft gatherFromPreview(ComposeHost &host, ComposeMode mode)
{
    WebPage &preview = host.page(Pane::Preview);
    auto text = [&preview](const QString &id) { return preview.elementById(id).innerText(); };
    const SavedMessageElementIds &ids = savedMessageElementIds();

    Draft draft;
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

Draft gather(ComposeHost &host, ComposeMode mode)
{
    switch (mode) {
    case ComposeMode::Mailto: {
        const MailtoFields link = parseMailtoLink(host.state().mailtoText);
        const Draft draft{link.to, link.cc, link.bcc, link.subject, link.body};
        host.writeTrace(QStringLiteral("3"));
        return draft;
    }
    case ComposeMode::InsertTemplate:
    case ComposeMode::CaptureTemplate: {
        Draft draft;
        draft.subject = host.state().TemplateSubject;
        draft.body = host.state().TemplateBody;
        return draft;
    }
    default:
        return gatherFromPreview(host, mode);
    }
}

// Waits until the provider's To field answers in the compose pane. False
// when the user cancelled, a later filling or a mail merge started while
// this one waited, or the window went away.
bool waitForComposeForm(ComposeHost &host, WebPage &compose, const ComposeFormNames &names, int request)
{
    for (;;) {
        if (host.takeWaitCancelled()) {
            // The click may have come while a failed look-up was about to
            // show the panel again.
            host.hideWaitPanel();
            return false;
        }
        host.writeTrace(QStringLiteral("5"));
        if (!host.letPendingEventsRun())
            return false;
        // The later filling has run to its end inside this wait (or ended
        // too); this one must not write over it.
        if (host.state().fillRequests != request)
            return false;
        // A mail merge started meanwhile has the form now.
        if (host.mergeInProgress()) {
            host.hideWaitPanel();
            return false;
        }
        try {
            compose.formField(names.form, names.to);
            host.hideWaitPanel();
            return true;
        } catch (const WebPageError &) {
            host.showWaitPanel();
        }
    }
}

// Some compose pages have no Cc or Bcc line: a missing field is skipped so
// the rest of the form still gets filled.
void setValueIfFieldExists(WebPage &page, const QString &form, const QString &field, const QString &value)
{
    std::optional<WebElement> element;
    try {
        element.emplace(page.formField(form, field));
    } catch (const WebPageError &) {
        return;
    }
    element->setValue(value);
}

ComposeFillOutcome fill(ComposeHost &host, ComposeMode mode)
{
    const int request = ++host.state().fillRequests;
    host.writeTrace(QStringLiteral("1"));
    host.state().keepComposeOnce = true;

    const bool useInboxPane = chooseComposePane(host, mode);
    const Pane composePane = useInboxPane ? Pane::Inbox : Pane::Compose;

    const ProviderProfile &profile = DetectProvider(host);
    const ComposeFormNames &names = profile.compose;
    const PlainTextMirrorNames &mirror = profile.plainTextMirror;
    host.writeTrace(QStringLiteral("2"));

    Draft draft = gather(host, mode);
    host.writeTrace(QStringLiteral("4"));

    if (!waitForComposeForm(host, host.page(composePane), names, request))
        return ComposeFillOutcome::Stopped;

    // Fetched again after the wait: the pane may have loaded a new document.
    WebPage &compose = host.page(composePane);
    const bool writesHeaders = static_cast<int>(mode) < 10;

    if (writesHeaders) {
        if (profile.recipientFromAngleBracket)
            draft.recipient = recipientFromAngleBracket(draft.recipient);
        compose.formField(names.form, names.to).setValue(draft.recipient);
    }
    if (mirror.present())
        host.writeTrace(QStringLiteral("6"));

    WebElement subject = compose.formField(names.form, names.subject);
    if (mode == ComposeMode::CaptureTemplate)
        host.state().TemplateSubject = subject.value();
    else
        subject.setValue(draft.subject);

    if (writesHeaders) {
        setValueIfFieldExists(compose, names.form, names.cc, draft.cc);
        setValueIfFieldExists(compose, names.form, names.bcc, draft.bcc);
    }

    WebElement bodyField = compose.formField(names.form, names.body);
    if (mode == ComposeMode::CaptureTemplate) {
        host.state().TemplateBody = bodyField.value();
        return ComposeFillOutcome::Filled;
    }
    if (mode == ComposeMode::InsertTemplate) {
        draft.body = useInboxPane ? host.state().TemplateBody + CrLf + CrLf + bodyField.value()
                                  : host.state().TemplateBody;
    } else {
        draft.body = bodyForMode(mode, draft.body);
    }
    bodyField.setValue(draft.body);

    if (mirror.present()) {
        writePlainTextMirror(compose, mirror, plainTextMirrorHtml(draft.body));
        host.repaint(composePane);
        compose.formField(names.form, names.subject).setValue(draft.subject);
        // A template leaves the recipient the user typed alone.
        if (writesHeaders)
            compose.formField(names.form, mirror.recipientField).setValue(draft.recipient);
    }
    host.writeTrace(QStringLiteral("0"));
    return ComposeFillOutcome::Filled;
}

} // namespace

ComposeFillOutcome ReplyOrForward(ComposeHost &host, ComposeMode mode)
{
    if (refusedWhileMerging(host))
        return ComposeFillOutcome::Stopped;
    try {
        return fill(host, mode);
    } catch (const WebPageError &) {
        // Ends silently; the trace shows the last step reached.
        return ComposeFillOutcome::Failed;
    }
}

} // namespace ferrowen
