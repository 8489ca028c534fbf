#pragma once

#include <QString>

namespace ferrowen {

class ComposeHost;
class MessageSaveHost;
class WebPage;
struct ProviderProfile;

// The sender ("Name <address>") of the message the page shows, read by the
// provider's page script; throws WebPageError when no message is displayed.
QString displayedSenderThroughScript(WebPage &page, const ProviderProfile &profile);

// "&Save Msg <<" (GetBody): saves the message displayed in the inbox pane
// into the folder chosen beside the button. The header values are cut out
// of the page's rendered text by the provider's header labels (in the
// version of the page found last, or the first that fits), the body is
// taken as HTML from the provider's body element. Ends with one message
// when no folder is chosen ("You must select a folder to save the message
// to") or no message can be read ("Unable to read message. Are you sure a
// message is displayed?"); saving reports itself. The window tells what
// happened: "Message Saved" and "Msg Saved" after a save, "Msg Not Saved"
// (and no "Message Saved" left from an earlier save) otherwise.
void CaptureMessage(ComposeHost &host, MessageSaveHost &store);

} // namespace ferrowen
