#pragma once

#include <QDeadlineTimer>
#include <QTest>

namespace ferrowen::testing {

// Lets events run until the condition holds or the time is up; true when it
// held. (Qt Test's QTRY_ macros do not report failures to GoogleTest.)
template<typename Condition>
bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace ferrowen::testing
