#pragma once

#include "webmail/ComposeRequest.h"

namespace ferrowen {

class ComposeHost;

// Adds a filling to those that wait, and shows the window's notice. A
// filling waiting for a compose page takes the place of an earlier one of
// its kind that is no mail link (the later request wins, as it does while
// both wait for a page to load); mail links are never dropped. One taken
// from the list and put back goes first again.
void putWaiting(ComposeHost &host, ComposeRequest request, ComposeRequest::Waiting why, bool first = false);

// Shows the notice for what waits now, or hides it.
void showWaitingNotice(ComposeHost &host);

// A page has loaded: the first filling waiting for a compose page tries
// again, unseen until the form is there. Once one is written, the others
// waiting for a page are put aside: they would write over it. While a
// filling runs, they try once it has ended without writing (the page may
// be the user's sign-in, and no other load may follow); while a mail merge
// runs, nothing happens.
void RetryWaitingFillings(ComposeHost &host);

// "Fill Now": the first waiting filling is written now (asking first when
// the form holds the user's own message).
void FillWaitingNow(ComposeHost &host);

// "Discard": the first waiting filling is dropped; a mail link only once
// the user has confirmed it.
void DiscardWaiting(ComposeHost &host);

} // namespace ferrowen
