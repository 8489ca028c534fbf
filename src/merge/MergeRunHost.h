#pragma once

#include "merge/MergeAddresses.h"
#include "merge/MergeComposePage.h"
#include "merge/MergeSession.h"

namespace ferrowen {

// What a mail merge run works with: the "Compose" pane, the open address
// book, and the flag that keeps everything else away from the compose form
// while the run sends.
struct MergeRunHost
{
    MergeComposePage &compose;
    MergeAddressSource &addresses;
    MergeSession &session;
};

} // namespace ferrowen
