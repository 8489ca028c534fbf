#include "webmail/ComposePage.h"

#include "webmail/ComposeHost.h"
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
    const bool keepLoadedPage = host.fields().keepComposeOnce
        && host.location(Pane::Compose).contains(QLatin1String("compose"));
    if (!keepLoadedPage) {
        if (const auto address = composeAddressFor(host.location(Pane::Inbox)))
            host.navigate(Pane::Compose, *address);
    }
    ClearComposeForm(host);
}

void ClearComposeForm(ComposeHost &host)
{
    if (host.fields().keepComposeOnce) {
        host.fields().keepComposeOnce = false;
        return;
    }
    const QString provider = DetectProvider(host.location(Pane::Inbox));
    host.fields().providerKey = provider;
    const ComposeFieldNames names = composeFieldsFor(provider);
    WebPage &compose = host.page(Pane::Compose);
    try {
        for (const QString &field : {names.to, names.subject, names.cc, names.bcc, names.body})
            compose.formField(names.form, field).setValue(QString());
        if (provider == YahooKey) {
            try {
                compose.elementById(YahooPlainMessageId).setInnerHTML(QString());
            } catch (const WebPageError &) {
                compose.namedFormField(YahooPlainMessageForm, YahooPlainMessageField).setValue(QString());
            }
        }
        host.repaint(Pane::Compose);
    } catch (const WebPageError &) {
        // A page without the form (still loading, another site) has nothing to clear.
    }
}

void OpenCalendarPage(ComposeHost &host)
{
    if (needsCalendarPage(host.location(Pane::Calendar)))
        host.navigate(Pane::Calendar, calendarAddressFor(host.location(Pane::Inbox)));
}

} // namespace ferrowen
