#pragma once

#include "webmail/CaptureSentMessage.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace ferrowen {

class ComposeHost;
class MessageSaveHost;

// The sent copy of a send the compose page answers within itself (it posts
// into a hidden frame and shows whether the message went): kept once the
// page says it was sent, or once it leaves the compose page by itself as it
// does after a send; dropped when it says the message was refused, or
// stays silent past the limit. One send waits at a time: a new one replaces
// it (the page took no new send before it had answered the last).
class SentCopyAwaitingAnswer : public QObject
{

public:
    enum class Outcome { Waiting, Kept, Dropped };

    SentCopyAwaitingAnswer(ComposeHost &host, MessageSaveHost &store, QObject *parent = nullptr);

    // The send was posted: the page is asked to watch for its answer.
    void await(const UnansweredSend &send);
    bool isWaiting() const { return m_send.has_value(); }

    // One look at the compose page (the timer's; also for tests).
    Outcome look();

    static constexpr int LookIntervalMs = 150;
    // Longer than the site gives its own SMTP server.
    static constexpr int AnswerLimitMs = 180000;

private:
    // Asks the page to watch for the answer; false when it could not answer.
    bool watch();
    Outcome end(bool keep);

    ComposeHost &m_host;
    MessageSaveHost &m_store;
    std::optional<UnansweredSend> m_send;
    QString m_composeAddress;
    bool m_watching = false;
    QElapsedTimer m_since;
    QTimer m_timer;
};

} // namespace ferrowen
