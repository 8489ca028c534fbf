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

// The store as it was when the save was asked for: the page is read while
// the user may go on working, and a folder chosen meanwhile is for the
// next save, not this one. The window tells the outcome once, at the end
// (each change of it repaints the window): not saved before any message
// shows, saved when the save says so.
class CaptureStore : public MessageSaveHost
{
public:
    explicit CaptureStore(MessageSaveHost &store)
        : m_store(store)
        , m_folder(store.chosenFolder())
    {
    }
    QString savedMessagesFolder() const override { return m_store.savedMessagesFolder(); }
    QString chosenFolder() const override { return m_folder; }
    void showMessageSavedLabel(bool shown) override
    {
        m_told = true;
        m_store.showMessageSavedLabel(shown);
    }
    void setStatusText(int panel, const QString &text) override { m_store.setStatusText(panel, text); }
    MessageBoxes &messageBoxes() override
    {
        showNotSaved();
        return m_store.messageBoxes();
    }

    // The window no longer tells of an earlier save.
    void showNotSaved()
    {
        showMessageSavedLabel(false);
        setStatusText(2, NotSaved);
    }
    void showNotSavedUnlessTold()
    {
        if (!m_told)
            showNotSaved();
    }

private:
    MessageSaveHost &m_store;
    const QString m_folder;
    bool m_told = false;
};

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

void CaptureMessage(ComposeHost &host, MessageSaveHost &chosenStore)
{
    CaptureStore store(chosenStore);
    if (host.selectedTab() != Tab::InboxLogin && !store.chosenFolder().isEmpty())
        host.selectTab(Tab::InboxLogin);
    const auto fail = [&](const QString &why) {
        store.showNotSaved();
        host.messageBoxes().show(why);
    };
    if (store.chosenFolder().isEmpty())
        return fail(QStringLiteral("You must select a folder to save the message to"));

    SavedMessage message;
    try {
        message = capture(host);
    } catch (const WebPageError &) {
        return fail(ReadFailed);
    } catch (const UnreadableMessage &) {
        return fail(ReadFailed);
    }
    SaveMessage(store, message);
    store.showNotSavedUnlessTold();
}

} // namespace ferrowen
