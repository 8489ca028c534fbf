#pragma once

#include <QString>

namespace ferrowen {

class ComposeHost;
class WebPage;
enum class Pane;
struct PlainTextMirrorNames;

// The pane whose compose form the address insertion writes into: the inbox
// pane when the user opened the provider's own compose page there, else
// the "Compose" pane.
Pane ComposePane(ComposeHost &host);

// Runs when the "Compose" tab becomes the selected tab: keeps a compose
// page prepared by a reply, forward or mailto link, or opens the provider's
// compose page afresh (derived from the inbox pane's address; it arrives
// empty), or, when there is no such address, empties the form shown.
// While a mail merge sends, the page is left alone.
void OpenComposePage(ComposeHost &host);

// Empties the compose form of the "Compose" pane, unless a reply, forward
// or mailto link prepared it for this one activation.
void ClearComposeForm(ComposeHost &host);

// Writes the plain-text copy of the body that some compose pages keep: the
// mirror element's innerHTML, or its fallback field when the element is
// missing. Does nothing for a page without a mirror.
void writePlainTextMirror(WebPage &compose, const PlainTextMirrorNames &mirror, const QString &html);

// Sends the "Calendar" pane to the calendar start page of the inbox's
// site, unless it already shows a calendar.
void OpenCalendarPage(ComposeHost &host);

} // namespace ferrowen
