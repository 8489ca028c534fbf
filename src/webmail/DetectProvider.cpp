#include "webmail/DetectProvider.h"

#include "webmail/ComposeHost.h"
#include "webmail/ProviderProfile.h"

namespace ferrowen {

const ProviderProfile &DetectProvider(ComposeHost &host)
{
    const ProviderProfile &profile = profileForInboxAddress(host.location(Pane::Inbox));
    host.state().providerKey = profile.key;
    return profile;
}

} // namespace ferrowen
