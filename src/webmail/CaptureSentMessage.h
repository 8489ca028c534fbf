#pragma once

#include <QByteArray>

namespace ferrowen {

class ComposeHost;
class MessageSaveHost;

// The compose pane is about to navigate, posting `postData` (empty when it
// posts nothing). While "S&ave Sent Messages" is ticked and no mail merge
// runs, a compose form's submission with a recipient is kept as a sent
// copy in the folder "sent": from "Sent Message", the posted recipients,
// subject and body (plain text with "<br>" before each line break), dated
// now. Anything else is let through untouched; nothing is ever shown.
void CaptureSentMessage(ComposeHost &host, MessageSaveHost &store, const QByteArray &postData);

} // namespace ferrowen
