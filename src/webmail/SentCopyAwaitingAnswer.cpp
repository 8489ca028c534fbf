#include "webmail/SentCopyAwaitingAnswer.h"

#include "platform/WebPage.h"
#include "store/SaveMessage.h"
#include "webmail/ComposeHost.h"

#include <QJsonObject>

namespace ferrowen {

SentCopyAwaitingAnswer::SentCopyAwaitingAnswer(ComposeHost &host, MessageSaveHost &store, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_store(store)
{
    m_timer.setInterval(LookIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { (void)look(); });
}

void SentCopyAwaitingAnswer::await(const UnansweredSend &send)
{
    m_send = send;
    m_composeAddress = m_host.location(Pane::Compose);
    m_since.start();
    m_watching = watch();
    m_timer.start();
}

bool SentCopyAwaitingAnswer::watch()
{
    try {
        // What the page shows now is no answer to this send.
        m_host.page(Pane::Compose)
            .runScript(m_send->pageScript, QStringLiteral("sendState"), {{QStringLiteral("watch"), true}});
        return true;
    } catch (const WebPageError &) {
        // The page is busy or changing: asked again at the next look.
        return false;
    }
}

SentCopyAwaitingAnswer::Outcome SentCopyAwaitingAnswer::look()
{
    if (!m_send)
        return Outcome::Dropped;
    if (m_host.location(Pane::Compose) != m_composeAddress)
        return end(true);
    if (!m_watching) {
        m_watching = watch();
        return m_since.hasExpired(AnswerLimitMs) ? end(false) : Outcome::Waiting;
    }
    QString state;
    try {
        state = m_host.page(Pane::Compose)
                    .runScript(m_send->pageScript, QStringLiteral("sendState"))
                    .toObject()
                    .value(QLatin1String("state"))
                    .toString();
    } catch (const WebPageError &) {
        // Between two documents: looked at again.
    }
    if (state == QLatin1String("sent"))
        return end(true);
    // Refused, a draft, or a new document at the same address (the page
    // reloaded instead of answering).
    if (state == QLatin1String("refused") || state == QLatin1String("draft") || state == QLatin1String("none")) {
        qInfo("No sent copy kept: the compose page answered \"%s\".", qUtf8Printable(state));
        return end(false);
    }
    if (m_since.hasExpired(AnswerLimitMs)) {
        qInfo("No sent copy kept: the compose page never said the message was sent.");
        return end(false);
    }
    return Outcome::Waiting;
}

SentCopyAwaitingAnswer::Outcome SentCopyAwaitingAnswer::end(bool keep)
{
    m_timer.stop();
    const UnansweredSend send = *m_send;
    m_send.reset();
    if (!keep)
        return Outcome::Dropped;
    SaveMessage(m_store, send.copy);
    return Outcome::Kept;
}

} // namespace ferrowen
