#pragma once

#include "webmail/ComposeRequest.h"

namespace ferrowen {

class ComposeHost;

// Who starts a filling, which decides what the user sees of it.
enum class FillStart {
    Asked,      // asked for just now: the "Compose" tab shows at once, and
                // "Please wait..." while its page loads
    FromNotice, // "Fill Now" on a waiting one: shown like an asked one
    Retried     // the program tries a waiting one again: the compose page
                // loads unseen, and the tab shows once its form is there
};

// Writes one filling into the provider's compose form: opens the compose
// page, waits while it loads (cancellably, reacting to the pane's own
// events), asks before it replaces text the user typed there, and writes
// every field in one step. What cannot be written now and must not be lost
// waits in the window's notice (WaitingFillings.h): a filling with no
// compose page to reach, one the user put aside rather than replace a
// message, and a mail link whose wait was cancelled, overtaken or failed.
ComposeFillOutcome fillCompose(ComposeHost &host, ComposeRequest request, FillStart start);

} // namespace ferrowen
