#pragma once

#include <chrono>

namespace ferrowen {

// How long a settings write made on the interface thread may wait for the
// settings file's lock. Other processes hold it for a few milliseconds per
// write; a write that cannot get it this soon is retried later rather than
// freezing the window.
inline constexpr std::chrono::milliseconds InterfaceLockWait{50};

// The exit writes have no "later" to be retried in; they wait a little
// longer, still well under a second.
inline constexpr std::chrono::milliseconds ExitLockWait{500};

} // namespace ferrowen
