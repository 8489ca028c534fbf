#pragma once

#include <QString>

#include <optional>

namespace ferrowen {

struct ProviderProfile;

// The provider's compose page for an inbox address: the address up to and
// including the slash that ends its first path segment, plus "compose".
// None when the address has no such segment (a bare host, a blank pane),
// and for anything but a web page: a file of this machine has no compose
// page beside it.
std::optional<QString> composeAddressFor(const QString &inboxLocation);
// The same for the inbox's provider: a provider that serves every page from
// one address (ProviderProfile::composeQuery) has its compose page at the
// inbox's own path with that query.
std::optional<QString> composeAddressFor(const ProviderProfile &profile, const QString &inboxLocation);

// True when a pane should be sent to the calendar start page: it does not
// show a calendar already.
bool needsCalendarPage(const QString &calendarPaneLocation);

// The calendar start page that belongs to the inbox pane's site. A mailbox
// served from this machine (the offline demo site) has its calendar beside
// its compose page; otherwise the provider's public calendar.
QString calendarAddressFor(const QString &inboxLocation);
// The same for the inbox's provider; none when the provider's webmail has
// no calendar.
std::optional<QString> calendarAddressFor(const ProviderProfile &profile, const QString &inboxLocation);

} // namespace ferrowen
