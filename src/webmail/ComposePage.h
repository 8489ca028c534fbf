#pragma once

namespace ferrowen {

class ComposeHost;
enum class Pane;

// The pane whose compose form the address insertion writes into: the inbox
// pane when the user opened the provider's own compose page there, else
// the "Compose" pane.
Pane ComposePane(ComposeHost &host);

// Runs when the "Compose" tab becomes the selected tab: keeps a compose
// page prepared by a reply, forward or mailto link, or opens the provider's
// compose page afresh (derived from the inbox pane's address) and empties
// its form.
void OpenComposePage(ComposeHost &host);

// Empties the compose form of the "Compose" pane, unless a reply, forward
// or mailto link prepared it for this one activation.
void ClearComposeForm(ComposeHost &host);

// Sends the "Calendar" pane to the calendar start page of the inbox's
// site, unless it already shows a calendar.
void OpenCalendarPage(ComposeHost &host);

} // namespace ferrowen
