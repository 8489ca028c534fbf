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
// (the last profile of the table serves every other address). markers,
// when given, tells what the page's markers said.
enum class PageMarkers {
    Shown,     // a provider's page script knew the page
    Absent,    // every page script answered, and none knew it
    NotAsked,  // pinned, not a web page, or the page could not answer
};
const ProviderProfile &providerOfPage(WebPage &page, const QString &location, ComposeState &state,
                                      PageMarkers *markers = nullptr);

// True when location lies under the pinned address: the same scheme, host
// and port, and a path that starts with the pinned one.
bool isUnderPinnedAddress(const QString &location, const QString &pinnedAddress);

} // namespace ferrowen
