#include "webmail/ProviderAddresses.h"

#include "webmail/ProviderProfile.h"

#include <QUrl>

namespace ferrowen {

namespace {

// The address up to and including the slash after the first path segment.
// The search starts at the tenth character, which skips "scheme://".
std::optional<QString> firstSegmentPrefix(const QString &location)
{
    const int firstSlash = location.indexOf(QLatin1Char('/'), 9);
    if (firstSlash < 0)
        return std::nullopt;
    const int secondSlash = location.indexOf(QLatin1Char('/'), firstSlash + 1);
    if (secondSlash < 0)
        return std::nullopt;
    return location.left(secondSlash + 1);
}

bool isWebAddress(const QString &location)
{
    const QString scheme = QUrl(location).scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool isServedFromThisMachine(const QString &location)
{
    const QUrl url(location);
    const QString host = url.host();
    return (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && (host == QLatin1String("localhost") || host.startsWith(QLatin1String("127."))
            || host == QLatin1String("::1"));
}

} // namespace

std::optional<QString> composeAddressFor(const QString &inboxLocation)
{
    if (!isWebAddress(inboxLocation))
        return std::nullopt;
    const auto prefix = firstSegmentPrefix(inboxLocation);
    if (!prefix)
        return std::nullopt;
    return *prefix + QStringLiteral("compose");
}

std::optional<QString> composeAddressFor(const ProviderProfile &profile, const QString &inboxLocation)
{
    if (profile.composeQuery.isEmpty())
        return composeAddressFor(inboxLocation);
    QUrl url(inboxLocation);
    if (!isWebAddress(inboxLocation) || url.host().isEmpty())
        return std::nullopt;
    if (url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    url.setQuery(profile.composeQuery);
    url.setFragment(QString());
    return url.toString();
}

std::optional<QString> calendarAddressFor(const ProviderProfile &profile, const QString &inboxLocation)
{
    if (profile.calendarAddress.isEmpty())
        return std::nullopt;
    if (isServedFromThisMachine(inboxLocation)) {
        if (const auto prefix = firstSegmentPrefix(inboxLocation))
            return *prefix + QStringLiteral("calendar");
    }
    return profile.calendarAddress;
}

bool needsCalendarPage(const QString &calendarPaneLocation)
{
    // The program's own words in the pane are no calendar either.
    return !isWebAddress(calendarPaneLocation) || !calendarPaneLocation.contains(QLatin1String("calendar"));
}

QString calendarAddressFor(const QString &inboxLocation)
{
    if (isServedFromThisMachine(inboxLocation)) {
        if (const auto prefix = firstSegmentPrefix(inboxLocation))
            return *prefix + QStringLiteral("calendar");
    }
    return profileForInboxAddress(inboxLocation).calendarAddress;
}

} // namespace ferrowen
