#pragma once

#include <QString>

namespace ferrowen {

class ComposeHost;
class WebPage;
struct ComposeState;
struct ProviderProfile;

// Recognises the provider of the inbox pane's page and makes it the
// current provider (ComposeState::providerKey) for whatever runs next. A
// document already recognised by its markers is not asked again.
const ProviderProfile &DetectProvider(ComposeHost &host);

// The provider of the page shown at location, in this order: the provider
// the user pinned that address to; the provider whose page script knows
// the page by its markers; while the page cannot answer (it loads), the
// provider its site was last known by; else by the words of the address
// (the last profile of the table serves every other address). byMarkers,
// when given, tells whether the page's markers answered.
const ProviderProfile &providerOfPage(WebPage &page, const QString &location, ComposeState &state,
                                      bool *byMarkers = nullptr);

// True when location lies under the pinned address: the same scheme, host
// and port, and a path that starts with the pinned one.
bool isUnderPinnedAddress(const QString &location, const QString &pinnedAddress);

} // namespace ferrowen
