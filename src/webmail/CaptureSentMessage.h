#pragma once

#include "store/SavedMessage.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QUrl;

namespace ferrowen {

class ComposeHost;
class MessageSaveHost;

// The compose pane is about to navigate to `target`, posting `postData`
// (empty when it posts nothing) whose text is in `charset`. While "S&ave
// Sent Messages" is ticked and no mail merge runs, a compose form's send
// with a recipient is kept as a sent copy in the folder "sent": from "Sent
// Message", the posted recipients, subject and body (plain text with "<br>"
// before each line break), dated now. The form is told by the provider
// whose recipient field it posts; its send is told by that provider's send
// parameter, so a saved draft keeps no copy. Anything else is let through
// untouched; nothing is ever shown.
//
// A provider whose page answers a send within the page (its page script
// reads the answer) may still refuse what was posted: its copy is not kept
// here but returned, to be kept once the page says it was sent
// (SentCopyAwaitingAnswer).
struct UnansweredSend
{
    SavedMessage copy;
    // The provider's page script, which reads the page's answer.
    QString pageScript;
};
std::optional<UnansweredSend> CaptureSentMessage(ComposeHost &host, MessageSaveHost &store, const QUrl &target,
                                                 const QByteArray &postData,
                                                 const QString &charset = QStringLiteral("UTF-8"));

} // namespace ferrowen
