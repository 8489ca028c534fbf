#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace ferrowen::testing {

// A modal dialog waited for by answerNextModal.
class PendingModal
{
public:
    struct State
    {
        QPointer<QTimer> poll;
        bool answered = false;
    };

    explicit PendingModal(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    bool answered() const { return m_state->answered; }

    // Stops waiting, so that a dialog opened later is left to its opener.
    void cancel() const
    {
        if (m_state->poll) {
            m_state->poll->stop();
            m_state->poll->deleteLater();
        }
    }

private:
    std::shared_ptr<State> m_state;
};

// Answers the next modal dialog of type Dialog as soon as it is open: call
// this, then do what opens the dialog. Gives up after timeoutMs or once
// cancelled.
template<typename Dialog>
PendingModal answerNextModal(std::function<void(Dialog &)> answer, int timeoutMs = 5000)
{
    auto state = std::make_shared<PendingModal::State>();
    auto *poll = new QTimer;
    state->poll = poll;
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer), deadline = QDeadlineTimer(timeoutMs), state] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog) {
            state->answered = true;
            answer(*dialog);
        }
    });
    poll->start(10);
    return PendingModal(state);
}

// Does `open` and answers the modal Dialog it opens; false when none came.
template<typename Dialog>
bool answeredModal(const std::function<void()> &open, std::function<void(Dialog &)> answer)
{
    const PendingModal pending = answerNextModal<Dialog>(std::move(answer));
    open();
    pending.cancel();
    return pending.answered();
}

} // namespace ferrowen::testing
