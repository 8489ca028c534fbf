#include "webmail/ComposeFilling.h"

#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"
#include "webmail/ComposeGathering.h"
#include "webmail/ComposeHost.h"
#include "webmail/ComposePage.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"
#include "webmail/QuotedBody.h"
#include "webmail/ReplyShaping.h"
#include "webmail/WaitingFillings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>
#include <optional>
#include <utility>

namespace ferrowen {

namespace {

const QString CrLf = QStringLiteral("\r\n");

enum class WaitEnd {
    FormFound,
    NoForm,    // the pane has settled without the form: no compose page to reach
    Cancelled, // the wait panel's Cancel
    Overtaken, // a later filling or a mail merge took the form
    Closing    // the window goes away
};

// A compose page loading unseen for a filling is shown once it is filled,
// or once its load has taken this long: showing a pane while its page
// loads makes the load slower, and a short one is not worth watching.
constexpr qint64 UnseenLoadShowMs = 100;

bool isTemplateMode(ComposeMode mode)
{
    return mode == ComposeMode::InsertTemplate || mode == ComposeMode::CaptureTemplate;
}

// What the "Compose" tab's activation would open for a filling (it keeps
// a loaded compose page and a message the user is writing), asked for
// before the tab shows: the page loads while the window switches panes.
void openComposePageFirst(ComposeHost &host, const ProviderProfile &profile)
{
    if (host.mergeInProgress() || host.location(Pane::Compose).contains(QLatin1String("compose"))
        || holdsTypedText(host.page(Pane::Compose)))
        return;
    if (const auto address = composeAddressFor(profile, host.location(Pane::Inbox))) {
        host.navigate(Pane::Compose, *address);
        host.state().composeOnItsWay = true;
    }
}

// Shows the "Compose" tab for a filling whose page loaded unseen,
// keeping that page.
void showComposeTab(ComposeHost &host)
{
    if (host.selectedTab() != Tab::Compose) {
        host.state().keepComposeOnce = true;
        host.selectTab(Tab::Compose);
    }
    host.state().composeOnItsWay = false;
}

// Picks the pane that holds the compose form, switching tabs as needed.
// Returns true when the form is the one the user opened in the inbox pane.
// tabLater: the compose page is on its way, and the "Compose" tab is to be
// shown by the filling (showComposeTab).
bool chooseComposePane(ComposeHost &host, ComposeMode mode, const ProviderProfile &profile, bool &tabLater)
{
    tabLater = false;
    if (isTemplateMode(mode)) {
        if (host.selectedTab() != Tab::InboxLogin && host.selectedTab() != Tab::Compose)
            host.selectTab(Tab::Compose);
        if (host.selectedTab() == Tab::InboxLogin) {
            if (host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
                return true;
            host.selectTab(Tab::Compose);
        }
        return false;
    }
    if (host.selectedTab() != Tab::Compose) {
        openComposePageFirst(host, profile);
        tabLater = host.state().composeOnItsWay;
        if (!tabLater)
            host.selectTab(Tab::Compose);
    } else if (!host.location(Pane::Compose).contains(QLatin1String("compose"))) {
        // The tab is shown but holds no compose page (it was chosen before
        // the user signed in): open it now rather than wait for nothing.
        OpenComposePage(host);
    }
    return false;
}

bool hasComposeForm(WebPage &page, const ComposeFormNames &names)
{
    try {
        page.formField(names.form, names.to);
        return true;
    } catch (const WebPageError &) {
        return false;
    }
}

// A provider whose page script builds its compose form after the load
// (and resets the fields as it does) is written only once that has run.
bool pageScriptStarted(WebPage &page, const ProviderProfile &profile)
{
    if (profile.pageScript.isEmpty())
        return true;
    try {
        return page.runScript(profile.pageScript, QStringLiteral("composeStarted")).toBool();
    } catch (const WebPageError &) {
        return false;
    }
}

// Sends the compose pane to the provider's compose page, unless it shows
// (or loads) a page with the form, or a message the user is writing there
// would go with the page it replaces. True when a page is on its way.
bool loadComposePage(ComposeHost &host, const ProviderProfile &profile)
{
    const ComposeFormNames &names = profile.compose;
    if (host.isLoading(Pane::Compose) || hasComposeForm(host.page(Pane::Compose), names)
        || holdsTypedText(host.page(Pane::Compose)))
        return false;
    const auto address = composeAddressFor(profile, host.location(Pane::Inbox));
    if (address)
        host.navigate(Pane::Compose, *address);
    return address.has_value();
}

// True when the page has the form (and, for a look that also writes,
// once it has filled it).
using FormLook = std::function<bool(WebPage &)>;

// Waits until the look finds the form in the pane. Lookups wait for the
// page to finish loading: until then the form found could be the one of
// the page that is leaving.
WaitEnd waitForComposeForm(ComposeHost &host, Pane pane, const FormLook &look, int request, bool showPanel,
                           bool &tabLater)
{
    const auto ending = [&host](WaitEnd end) {
        host.hideWaitPanel();
        return end;
    };
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        host.writeTrace(QStringLiteral("5"));
        if (host.takeWaitCancelled())
            return ending(WaitEnd::Cancelled);
        // A later filling has run inside this wait, or a mail merge started:
        // this one must not write over them.
        if (host.state().fillRequests != request || host.mergeInProgress())
            return ending(WaitEnd::Overtaken);
        if (!host.isLoading(pane) && look(host.page(pane)))
            return ending(WaitEnd::FormFound);
        if (!host.pageMayStillChange(pane))
            return ending(WaitEnd::NoForm);
        if (tabLater && waited.elapsed() >= UnseenLoadShowMs) {
            showComposeTab(host);
            tabLater = false;
        }
        if (showPanel)
            host.showWaitPanel();
        if (!host.letPendingEventsRun())
            return WaitEnd::Closing;
    }
}

PageWrite fieldWrite(const QString &form, const QString &field, const QString &value, bool optional = false)
{
    return {{{WriteTarget::Kind::FormField, form, field, ElementProperty::Value}}, value, optional};
}

// Everything one filling writes, in the order the page sees it. Some
// compose pages have no Cc or Bcc line, or no plain-text copy of the body:
// what is missing is skipped and the rest still gets written.
QList<PageWrite> composeWrites(const ProviderProfile &profile, const ComposeDraft &draft, bool writesHeaders,
                               bool keepsBodyText)
{
    const ComposeFormNames &names = profile.compose;
    const PlainTextMirrorNames &mirror = profile.plainTextMirror;
    QList<PageWrite> writes;
    if (writesHeaders)
        writes << fieldWrite(names.form, names.to, draft.recipient);
    writes << fieldWrite(names.form, names.subject, draft.subject);
    if (writesHeaders) {
        writes << fieldWrite(names.form, names.cc, draft.cc, true);
        writes << fieldWrite(names.form, names.bcc, draft.bcc, true);
    }
    writes << fieldWrite(names.form, names.body, draft.body);
    writes.last().keepsText = keepsBodyText;
    if (mirror.present()) {
        writes << plainTextMirrorWrite(mirror, plainTextMirrorHtml(draft.body));
        // The page reads the subject and the recipient again after the copy.
        writes << fieldWrite(names.form, names.subject, draft.subject);
        // A template leaves the recipient the user typed alone.
        if (writesHeaders)
            writes << fieldWrite(names.form, mirror.recipientField, draft.recipient);
    }
    return writes;
}

bool userAgreesToReplace(ComposeHost &host, const ComposeRequest &request)
{
    const QString what = describeRequest(request);
    const QString text = QCoreApplication::translate(
                             "ComposeFilling",
                             "The compose form holds a message you are writing. Replace it with %1?\n\n"
                             "No keeps your message and puts %1 aside, at the top of the window, to fill in or "
                             "discard later.")
                             .arg(what);
    return host.messageBoxes().show(text, MessageBoxes::Buttons::YesNoDefaultNo, MessageBoxes::Icon::Question)
        == MessageBoxes::Answer::Yes;
}

struct Filling
{
    ComposeHost &host;
    ComposeRequest &request;
    FillStart start;
};

ComposeFillOutcome putAside(Filling &f, ComposeRequest::Waiting why)
{
    putWaiting(f.host, f.request, why, f.start != FillStart::Asked);
    return ComposeFillOutcome::Waiting;
}

// The filling could not write. What may not be lost waits; the rest ends.
ComposeFillOutcome notWritten(Filling &f, WaitEnd end)
{
    f.host.state().keepComposeOnce = false;
    switch (end) {
    case WaitEnd::NoForm:
        if (f.request.mode == ComposeMode::CaptureTemplate) {
            f.host.messageBoxes().show(QCoreApplication::translate(
                "ComposeFilling", "There is no compose form to take the template from. Open your webmail's compose "
                                  "page and try again."));
            return ComposeFillOutcome::Stopped;
        }
        // The user signs in on the first tab; an empty "Compose" tab is no help.
        if (f.start != FillStart::Retried && f.host.selectedTab() == Tab::Compose)
            f.host.selectTab(Tab::InboxLogin);
        return putAside(f, ComposeRequest::Waiting::ForComposePage);
    case WaitEnd::Cancelled:
    case WaitEnd::Overtaken:
        // The link came from outside: it stays until the user drops it.
        if (f.request.isMailLink())
            return putAside(f, ComposeRequest::Waiting::PutAside);
        return ComposeFillOutcome::Stopped;
    case WaitEnd::Closing:
    case WaitEnd::FormFound:
        break;
    }
    // A mail link not yet filled stays in the settings file for the next start.
    return ComposeFillOutcome::Stopped;
}

bool isTemplateAboveText(ComposeMode mode, bool useInboxPane)
{
    return mode == ComposeMode::InsertTemplate && useInboxPane;
}

// A filling that reads from the form before writing (a template taken from
// it, or put above its text) cannot write in the same step as it looks.
bool readsFormFirst(ComposeMode mode, bool useInboxPane)
{
    return mode == ComposeMode::CaptureTemplate || isTemplateAboveText(mode, useInboxPane);
}

// What a filling writes; bodyBelow is the text a template goes above.
QList<PageWrite> fillingWrites(const Filling &f, const ProviderProfile &profile, bool useInboxPane,
                               const QString &bodyBelow = QString())
{
    const ComposeMode mode = f.request.mode;
    const bool templateAboveText = isTemplateAboveText(mode, useInboxPane);
    ComposeDraft draft = f.request.draft;
    const bool writesHeaders = int(mode) < 10;
    if (writesHeaders && profile.recipientFromAngleBracket)
        draft.recipient = recipientFromAngleBracket(draft.recipient);
    if (templateAboveText)
        draft.body += CrLf + CrLf + bodyBelow;
    else if (mode != ComposeMode::InsertTemplate)
        draft.body = bodyForMode(mode, draft.body);
    return composeWrites(profile, draft, writesHeaders, templateAboveText);
}

// A filling that writes without reading first writes as it looks for the
// form: one step once the page has come.
struct WriteOnSight
{
    QList<PageWrite> writes;
    // What the look's writing answered (false: the user's typing is there,
    // and nothing was written). Nothing until the form was found.
    std::optional<bool> written;
};

ComposeFillOutcome write(Filling &f, Pane pane, const ProviderProfile &profile, bool useInboxPane,
                         const std::optional<WriteOnSight> &onSight)
{
    ComposeHost &host = f.host;
    WebPage &compose = host.page(pane);
    const ComposeFormNames &names = profile.compose;
    const ComposeMode mode = f.request.mode;
    if (profile.plainTextMirror.present() && !onSight)
        host.writeTrace(QStringLiteral("6"));

    if (mode == ComposeMode::CaptureTemplate) {
        host.state().TemplateSubject = compose.formField(names.form, names.subject).value();
        host.state().TemplateBody = compose.formField(names.form, names.body).value();
        host.writeTrace(QStringLiteral("0"));
        return ComposeFillOutcome::Filled;
    }

    // One step when the form holds nothing the user typed; else only with
    // the user's yes.
    const QList<PageWrite> writes = onSight ? onSight->writes
        : fillingWrites(f, profile, useInboxPane,
                        isTemplateAboveText(mode, useInboxPane) ? compose.formField(names.form, names.body).value() : QString());
    const bool written = onSight && onSight->written ? *onSight->written : compose.writeAll(writes, TypedText::Keep);
    if (!written) {
        if (!userAgreesToReplace(host, f.request))
            return putAside(f, ComposeRequest::Waiting::PutAside);
        compose.writeAll(writes, TypedText::Replace);
    }
    if (profile.plainTextMirror.present())
        host.repaint(pane);
    host.writeTrace(QStringLiteral("0"));
    if (f.request.isMailLink())
        host.mailLinkDone(f.request.mailtoLink);
    return ComposeFillOutcome::Filled;
}

ComposeFillOutcome fill(Filling &f)
{
    ComposeHost &host = f.host;
    ComposeState &state = host.state();
    const int request = ++state.fillRequests;
    host.writeTrace(QStringLiteral("1"));
    state.keepComposeOnce = true;

    const ProviderProfile &profile = DetectProvider(host);
    const bool seen = f.start != FillStart::Retried;
    bool tabLater = false;
    const bool useInboxPane = seen && chooseComposePane(host, f.request.mode, profile, tabLater);
    const Pane pane = useInboxPane ? Pane::Inbox : Pane::Compose;
    host.writeTrace(QStringLiteral("2"));
    if (!f.request.gathered) {
        f.request.draft = gatherDraft(host, f.request.mode);
        f.request.gathered = true;
        if (f.request.isMailLink())
            f.request.mailtoLink = state.mailtoText;
    }
    if (f.request.isMailLink())
        host.writeTrace(QStringLiteral("3"));
    host.writeTrace(QStringLiteral("4"));

    // A filling tried again loads the page unseen, so nothing moves while
    // the user signs in; and only once for each page the inbox pane shows:
    // a site that answers the compose page with its sign-in page would
    // otherwise be asked again at every load of the compose pane.
    const QString inboxLocation = host.location(Pane::Inbox);
    const bool mayOpen = seen || state.composeOpenedForInbox != inboxLocation;
    if (!seen)
        state.composeOpenedForInbox = inboxLocation;
    const bool opened = !seen && mayOpen && loadComposePage(host, profile);
    std::optional<WriteOnSight> onSight;
    if (!readsFormFirst(f.request.mode, useInboxPane))
        onSight = WriteOnSight{fillingWrites(f, profile, useInboxPane), std::nullopt};
    const FormLook look = [&](WebPage &page) {
        if (!pageScriptStarted(page, profile))
            return false;
        if (!onSight)
            return hasComposeForm(page, profile.compose);
        if (profile.plainTextMirror.present())
            host.writeTrace(QStringLiteral("6"));
        try {
            onSight->written = page.writeAllIfPresent(onSight->writes, TypedText::Keep);
        } catch (const WebPageError &) {
            // Not answering is not having the form, as for the bare look.
            onSight->written.reset();
        }
        return onSight->written.has_value();
    };
    WaitEnd end = waitForComposeForm(host, pane, look, request, seen, tabLater);
    // The pane kept a page without the form (the site's rich-text page, a
    // page shown after a send): the compose page is opened once more.
    if (end == WaitEnd::NoForm && pane == Pane::Compose && !opened && mayOpen && loadComposePage(host, profile))
        end = waitForComposeForm(host, pane, look, request, seen, tabLater);
    if (end != WaitEnd::FormFound) {
        // Shown as it would have been had the page taken its time.
        if (tabLater && end != WaitEnd::Overtaken && end != WaitEnd::Closing)
            showComposeTab(host);
        return notWritten(f, end);
    }
    // Shown now, keeping the page that has just loaded.
    if (!seen || tabLater)
        showComposeTab(host);
    return write(f, pane, profile, useInboxPane, onSight);
}

// One filling, counted while it runs.
ComposeFillOutcome fillCounted(ComposeHost &host, ComposeRequest request, FillStart start)
{
    // A Cancel pressed for an earlier wait, even one that ended as its form
    // came, is not this filling's.
    host.takeWaitCancelled();
    ComposeState &state = host.state();
    ++state.fillsRunning;
    const struct Done
    {
        ComposeState &state;
        ~Done() { --state.fillsRunning; }
    } done{state};

    Filling f{host, request, start};
    try {
        return fill(f);
    } catch (const WebPageError &) {
        host.hideWaitPanel();
        // Ends silently; the trace shows the last step reached. A mail link
        // that was read waits rather than be lost.
        if (request.isMailLink() && request.gathered) {
            putAside(f, ComposeRequest::Waiting::PutAside);
            return ComposeFillOutcome::Waiting;
        }
        return ComposeFillOutcome::Failed;
    }
}

} // namespace

ComposeFillOutcome fillCompose(ComposeHost &host, ComposeRequest request, FillStart start)
{
    const ComposeFillOutcome outcome = fillCounted(host, std::move(request), start);
    // A page that loaded while this filling ran found the waiting fillings
    // unable to try; they do now, unless this one was written (they would
    // write over it). A retry goes on trying by itself.
    ComposeState &state = host.state();
    if (start != FillStart::Retried && state.fillsRunning == 0 && std::exchange(state.retryMissed, false)
        && outcome != ComposeFillOutcome::Filled)
        RetryWaitingFillings(host);
    return outcome;
}

} // namespace ferrowen
