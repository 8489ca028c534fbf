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

const ProviderProfile &providerOfPage(WebPage &page, const QString &location, ComposeState &state)
{
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
                    return profile;
                }
            } catch (const WebPageError &) {
                answered = false;
            }
        }
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
    const ProviderProfile &profile = providerOfPage(host.page(Pane::Inbox), host.location(Pane::Inbox), host.state());
    host.state().providerKey = profile.key;
    return profile;
}

} // namespace ferrowen
