#pragma once

namespace ferrowen {

// How a merge paces itself, so a run stays under a provider's sending
// limits, and what it does when the site refuses a message. Kept in the
// settings file.
struct MergeSettings
{
    // Seconds to wait between two messages.
    int pauseSeconds = 0;
    // The run stops after this many messages; 0: no limit.
    int stopAfter = 0;
    // A refused message ends the run instead of being logged and passed.
    bool stopAtFirstFailure = false;
};

} // namespace ferrowen
