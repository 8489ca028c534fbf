#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace ferrowen::testing {

// Lets events run until the condition holds or the time is up; true when it
// held. (Qt Test's QTRY_ macros do not report failures to GoogleTest, and its
// qWait sleeps between rounds of events, which slows a page load that passes
// many messages between threads tenfold.)
template<typename Condition>
bool waitFor(Condition condition, int timeoutMs = 5000)
{
    if (condition())
        return true;
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    return condition();
}

} // namespace ferrowen::testing
