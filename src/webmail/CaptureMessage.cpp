#include "webmail/CaptureMessage.h"

#include "platform/MessageBoxes.h"
#include "platform/WebPage.h"
#include "store/MessageSaveHost.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "webmail/CapturedBody.h"
#include "webmail/ComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/MessageHeaders.h"
#include "webmail/ProviderProfile.h"

#include <QJsonObject>

namespace ferrowen {

namespace {

const QString ReadFailed = QStringLiteral("Unable to read message. Are you sure a message is displayed?");
const QString NotSaved = QStringLiteral("Msg Not Saved");

// The body element's HTML: the element with the provider's id, or else
// the last element with its class. Empty when there is none.
QString bodyOf(WebPage &page, const DisplayedMessageNames &names, const QString &pageText, qsizetype lastValueEnd)
{
    if (!names.bodyElementId.isEmpty()) {
        try {
            return page.elementById(names.bodyElementId).innerHTML();
        } catch (const WebPageError &) {
            // The page text after the last header value stands in for it.
            return lastValueEnd >= 0 ? QStringLiteral("<p>") + pageText.mid(lastValueEnd) : QString();
        }
    }
    const QList<WalkedElement> found = page.walk(names.bodyWalk);
    return found.isEmpty() ? QString() : found.last().values.value(0).toString();
}

// A provider whose page script reads the message: from its header cells
// (addresses whole, Cc and Reply-To too) and its body element.
SavedMessage captureThroughScript(WebPage &page, const ProviderProfile &profile)
{
    const QJsonObject read = page.runScript(profile.pageScript, QStringLiteral("message")).toObject();
    const auto field = [&read](const char *name) { return read.value(QLatin1String(name)).toString(); };
    SavedMessage message{field("from"), field("subject"), field("date"), field("to"), field("cc"), QString(),
                         withPlainTextBreaks(field("body")), false, field("replyTo")};
    if (message.from.isEmpty() && message.subject.isEmpty())
        throw UnreadableMessage();
    return message;
}

SavedMessage capture(ComposeHost &host)
{
    WebPage &page = host.page(Pane::Inbox);
    const ProviderProfile &profile = DetectProvider(host);
    if (!profile.pageScript.isEmpty())
        return captureThroughScript(page, profile);
    const QString pageText = page.bodyText();
    const DisplayedMessageNames &names = profile.displayedMessage;
    if (names.headerLabels.isEmpty())
        throw UnreadableMessage();

    ComposeState &state = host.state();
    const MessageHeaderLabels &labels = headerLabelsForPage(pageText, names.headerLabels, state);
    const MessageHeaders headers = profile.key == YahooKey ? yahooMessageHeaders(pageText, labels)
                                                           : hotmailMessageHeaders(pageText, labels);
    if (headers.from.isEmpty() && headers.subject.isEmpty())
        throw UnreadableMessage();

    // The head rule always looks for the Yahoo page's To label.
    const QList<MessageHeaderLabels> &yahooLabels = profileForKey(YahooKey).displayedMessage.headerLabels;
    const QString toLabel = yahooLabels.value(state.labelVariant, yahooLabels.value(0)).to;
    QString body = bodyOf(page, names, pageText, headers.lastValueEnd);
    body = withPlainTextBreaks(withoutHeaderHead(body, toLabel));
    return SavedMessage{headers.from, headers.subject, headers.date, headers.to, QString(), QString(), body, false, QString()};
}

} // namespace

QString displayedSenderThroughScript(WebPage &page, const ProviderProfile &profile)
{
    return page.runScript(profile.pageScript, QStringLiteral("message")).toObject().value(QLatin1String("from")).toString();
}

void CaptureMessage(ComposeHost &host, MessageSaveHost &store)
{
    if (host.selectedTab() != 1 && !store.chosenFolder().isEmpty())
        host.selectTab(1);
    // Whatever happens now, the window no longer tells of an earlier save.
    store.showMessageSavedLabel(false);
    store.setStatusText(2, NotSaved);
    if (store.chosenFolder().isEmpty()) {
        host.messageBoxes().show(QStringLiteral("You must select a folder to save the message to"));
        return;
    }

    SavedMessage message;
    try {
        message = capture(host);
    } catch (const WebPageError &) {
        host.messageBoxes().show(ReadFailed);
        return;
    } catch (const UnreadableMessage &) {
        host.messageBoxes().show(ReadFailed);
        return;
    }
    SaveMessage(store, message);
}

} // namespace ferrowen
