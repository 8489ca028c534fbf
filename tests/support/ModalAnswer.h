#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>
#include <memory>

namespace ferrowen::testing {

// Answers the next modal dialog of type Dialog as soon as it is open: call
// this, then do what opens the dialog. Gives up after timeoutMs.
template<typename Dialog>
void answerNextModal(std::function<void(Dialog &)> answer, int timeoutMs = 5000)
{
    auto *poll = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer), deadline] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog && !deadline->hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog)
            answer(*dialog);
    });
    poll->start(10);
}

} // namespace ferrowen::testing
