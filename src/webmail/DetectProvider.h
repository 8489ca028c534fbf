#pragma once

namespace ferrowen {

class ComposeHost;
struct ProviderProfile;

// Recognises the provider from the inbox pane's address and makes it the
// current provider (ComposeState::providerKey) for whatever runs next.
const ProviderProfile &DetectProvider(ComposeHost &host);

} // namespace ferrowen
