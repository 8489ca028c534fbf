#pragma once

#include <QString>

namespace ferrowen {

class ComposeHost;
class WebPage;
struct PageWrite;
enum class Pane;
struct PlainTextMirrorNames;

// The pane whose compose form the address insertion writes into: the inbox
// pane when the user opened the provider's own compose page there, else
// the "Compose" pane.
Pane ComposePane(ComposeHost &host);

// Runs when the "Compose" tab becomes the selected tab: keeps a message the
// user is writing there, or a compose page prepared by a reply, forward or
// mailto link, or opens the provider's compose page afresh (derived from
// the inbox pane's web address; it arrives empty), or, when there is no
// such address, empties the form shown. While a mail merge sends, the page
// is left alone.
void OpenComposePage(ComposeHost &host);

// True when the page holds text the user typed (see WebPage::typedFieldNames);
// false for a page that cannot tell.
bool holdsTypedText(WebPage &page);

// Empties the compose form of the "Compose" pane, unless a reply, forward
// or mailto link prepared it for this one activation.
void ClearComposeForm(ComposeHost &host);

// The write of the plain-text copy of the body that some compose pages
// keep: the mirror element's innerHTML, or its fallback field when the
// element is missing; skipped when the page has neither.
PageWrite plainTextMirrorWrite(const PlainTextMirrorNames &mirror, const QString &html);

// Sends the "Calendar" pane to the calendar start page of the inbox's
// site, unless it already shows a calendar.
void OpenCalendarPage(ComposeHost &host);

} // namespace ferrowen
