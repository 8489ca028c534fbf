#include "webmail/ComposePage.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"

namespace ferrowen {

Pane ComposePane(ComposeHost &host)
{
    if (host.selectedTab() == 1 && host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
        return Pane::Inbox;
    return Pane::Compose;
}

void OpenComposePage(ComposeHost &host)
{
    // The merge's page and what it wrote stay as they are.
    if (host.mergeInProgress())
        return;
    const bool keepLoadedPage = host.state().keepComposeOnce
        && host.location(Pane::Compose).contains(QLatin1String("compose"));
    if (!keepLoadedPage) {
        if (const auto address = composeAddressFor(host.location(Pane::Inbox))) {
            host.navigate(Pane::Compose, *address);
            // The page on its way arrives empty. Clearing the one leaving
            // would race with it: page access lets events run, so the new
            // page could load halfway through and lose what an insertion
            // waiting for it has just written.
            host.state().keepComposeOnce = false;
            return;
        }
    }
    ClearComposeForm(host);
}

void ClearComposeForm(ComposeHost &host)
{
    if (host.state().keepComposeOnce) {
        host.state().keepComposeOnce = false;
        return;
    }
    const ProviderProfile &profile = DetectProvider(host);
    const ComposeFormNames &names = profile.compose;
    WebPage &compose = host.page(Pane::Compose);
    try {
        for (const QString &field : {names.to, names.subject, names.cc, names.bcc, names.body})
            compose.formField(names.form, field).setValue(QString());
        writePlainTextMirror(compose, profile.plainTextMirror, QString());
        host.repaint(Pane::Compose);
    } catch (const WebPageError &) {
        // A page without the form (still loading, another site) has nothing to clear.
    }
}

void writePlainTextMirror(WebPage &compose, const PlainTextMirrorNames &mirror, const QString &html)
{
    if (!mirror.present())
        return;
    try {
        compose.elementById(mirror.elementId).setInnerHTML(html);
    } catch (const WebPageError &) {
        compose.namedFormField(mirror.fallbackForm, mirror.fallbackField).setValue(html);
    }
}

void OpenCalendarPage(ComposeHost &host)
{
    if (needsCalendarPage(host.location(Pane::Calendar)))
        host.navigate(Pane::Calendar, calendarAddressFor(host.location(Pane::Inbox)));
}

} // namespace ferrowen
