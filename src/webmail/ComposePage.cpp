#include "webmail/ComposePage.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"

#include <QCoreApplication>

#include <utility>

namespace ferrowen {

Pane ComposePane(ComposeHost &host)
{
    if (host.selectedTab() == Tab::InboxLogin && host.location(Pane::Inbox).toLower().contains(QLatin1String("compose")))
        return Pane::Inbox;
    return Pane::Compose;
}

void OpenComposePage(ComposeHost &host)
{
    const bool onItsWay = std::exchange(host.state().composeOnItsWay, false);
    // The merge's page and what it wrote stay as they are.
    if (host.mergeInProgress())
        return;
    // A page a filling has loaded or written stays as it is, and so does a
    // message the user is writing (asked only when it matters: it takes a
    // round trip to the page).
    const bool keepLoadedPage = host.state().keepComposeOnce
        && (onItsWay || host.location(Pane::Compose).contains(QLatin1String("compose")));
    if (keepLoadedPage || holdsTypedText(host.page(Pane::Compose))) {
        host.state().keepComposeOnce = false;
        return;
    }
    if (const auto address = composeAddressFor(DetectProvider(host), host.location(Pane::Inbox))) {
        host.navigate(Pane::Compose, *address);
        // The page on its way arrives empty. Clearing the one leaving would
        // race with it: page access lets events run, so the new page could
        // load halfway through and lose what an insertion waiting for it
        // has just written.
        host.state().keepComposeOnce = false;
        return;
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
    const PlainTextMirrorNames &mirror = profile.plainTextMirror;
    const auto empty = [&names](const QString &field, bool optional) {
        return PageWrite{{{WriteTarget::Kind::FormField, names.form, field, ElementProperty::Value}}, QString(), optional};
    };
    QList<PageWrite> writes{empty(names.to, false), empty(names.subject, false), empty(names.cc, true),
                            empty(names.bcc, true), empty(names.body, false)};
    if (mirror.present())
        writes << plainTextMirrorWrite(mirror, QString());
    try {
        host.page(Pane::Compose).writeAll(writes);
        host.repaint(Pane::Compose);
    } catch (const WebPageError &) {
        // A page without the form (still loading, another site) has nothing to clear.
    }
}

bool holdsTypedText(WebPage &page)
{
    try {
        // A blank pane has nothing to ask.
        const QString location = page.location();
        if (location.isEmpty() || location.startsWith(QLatin1String("about:")))
            return false;
        return !page.typedFieldNames().isEmpty();
    } catch (const WebPageError &) {
        return false;
    }
}

PageWrite plainTextMirrorWrite(const PlainTextMirrorNames &mirror, const QString &html)
{
    return {{{WriteTarget::Kind::ElementById, QString(), mirror.elementId, ElementProperty::InnerHtml},
             {WriteTarget::Kind::NamedFormField, mirror.fallbackForm, mirror.fallbackField, ElementProperty::Value}},
            html,
            true};
}

void OpenCalendarPage(ComposeHost &host)
{
    if (!needsCalendarPage(host.location(Pane::Calendar)))
        return;
    const ProviderProfile &profile = DetectProvider(host);
    if (const auto address = calendarAddressFor(profile, host.location(Pane::Inbox))) {
        host.navigate(Pane::Calendar, *address);
        return;
    }
    host.showPaneText(Pane::Calendar, QCoreApplication::translate("ComposePage", "%1 has no calendar.")
                                          .arg(profile.displayName));
}

} // namespace ferrowen
