#pragma once

#include <QByteArray>
#include <QString>

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
void CaptureSentMessage(ComposeHost &host, MessageSaveHost &store, const QUrl &target, const QByteArray &postData,
                        const QString &charset = QStringLiteral("UTF-8"));

} // namespace ferrowen
