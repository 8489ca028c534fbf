#include "webmail/DetectProvider.h"

#include "platform/WebPage.h"
#include "webmail/ComposeHost.h"
#include "webmail/ProviderProfile.h"

#include <QUrl>

namespace ferrowen {

namespace {

// Scheme, host and port: where a site's pages are served from.
QString siteOf(const QUrl &url)
{
    return url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
        .toString()
        .toLower();
}

bool isWebAddress(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

} // namespace

bool isUnderPinnedAddress(const QString &location, const QString &pinnedAddress)
{
    const QUrl pinned = QUrl::fromUserInput(pinnedAddress.trimmed());
    const QUrl url(location);
    if (pinnedAddress.trimmed().isEmpty() || !pinned.isValid() || !isWebAddress(url) || siteOf(url) != siteOf(pinned))
        return false;
    const QString pinnedPath = pinned.path().isEmpty() ? QStringLiteral("/") : pinned.path();
    const QString path = url.path().isEmpty() ? QStringLiteral("/") : url.path();
    return path.startsWith(pinnedPath);
}

const ProviderProfile &providerOfPage(WebPage &page, const QString &location, ComposeState &state, PageMarkers *markers)
{
    PageMarkers ignored;
    PageMarkers &said = markers ? *markers : ignored;
    said = PageMarkers::NotAsked;
    if (!state.pinnedProvider.isEmpty() && isUnderPinnedAddress(location, state.pinnedAddress))
        return profileForKey(state.pinnedProvider);

    const QUrl url(location);
    if (isWebAddress(url)) {
        const QString site = siteOf(url);
        bool answered = true;
        for (const ProviderProfile &profile : providerProfiles()) {
            if (profile.pageScript.isEmpty())
                continue;
            try {
                if (page.runScript(profile.pageScript, QStringLiteral("recognise")).toBool()) {
                    state.recognisedSites.insert(site, profile.key);
                    said = PageMarkers::Shown;
                    return profile;
                }
            } catch (const WebPageError &) {
                answered = false;
            }
        }
        if (answered)
            said = PageMarkers::Absent;
        // A page on its way cannot answer yet; its site's pages were known before.
        if (!answered) {
            const auto known = state.recognisedSites.constFind(site);
            if (known != state.recognisedSites.constEnd())
                return profileForKey(*known);
        }
    }
    return profileForInboxAddress(location);
}

const ProviderProfile &DetectProvider(ComposeHost &host)
{
    ComposeState &state = host.state();
    const QString location = host.location(Pane::Inbox);
    const quint64 document = host.loadedDocument(Pane::Inbox);
    const bool pinned = !state.pinnedProvider.isEmpty() && isUnderPinnedAddress(location, state.pinnedAddress);
    // Asking the page takes a round trip to it, and a document keeps the
    // provider its markers showed once. One that showed none after its own
    // scripts had had their time follows its address.
    if (!pinned && document != 0 && document == state.recognisedDocument) {
        state.providerKey = state.recognisedDocumentProvider;
        return profileForKey(state.providerKey);
    }
    if (!pinned && document != 0 && document == state.unmarkedDocument) {
        const ProviderProfile &profile = profileForInboxAddress(location);
        state.providerKey = profile.key;
        return profile;
    }
    PageMarkers markers = PageMarkers::NotAsked;
    const ProviderProfile &profile = providerOfPage(host.page(Pane::Inbox), location, state, &markers);
    // Not when another document came while the page was asked.
    const bool sameDocument = document != 0 && host.loadedDocument(Pane::Inbox) == document;
    state.recognisedDocument = markers == PageMarkers::Shown && sameDocument ? document : 0;
    state.recognisedDocumentProvider = profile.key;
    state.unmarkedDocument =
        markers == PageMarkers::Absent && sameDocument && !host.pageMayStillChange(Pane::Inbox) ? document : 0;
    state.providerKey = profile.key;
    return profile;
}

} // namespace ferrowen
