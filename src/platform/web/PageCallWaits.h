#pragma once

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

namespace ferrowen {

// The waits of page calls that let user input through, over the whole
// program (one event loop, so one count). Work the user starts from the
// window while such a call waits (a second save, a tab's page, closing the
// window) is put off until none waits: run inside the wait, it would hold
// the call up and mix its page work with the work that made the call.
class PageCallWaits : public QObject
{
    Q_OBJECT
public:
    static PageCallWaits &instance();

    bool waiting() const { return m_count > 0; }

    // Runs work now when no call waits; else from the event loop once none
    // waits any more (never inside the work that made the calls), in the
    // order asked. Work whose context is gone by then is dropped.
    void whenNoneWaits(QObject *context, std::function<void()> work);

    // One wait, counted while it lives.
    class Wait
    {
    public:
        Wait() { ++instance().m_count; }
        ~Wait() { instance().ended(); }
        Wait(const Wait &) = delete;
        Wait &operator=(const Wait &) = delete;
    };

private:
    struct PutOff
    {
        QPointer<QObject> context;
        std::function<void()> work;
    };

    PageCallWaits() = default;
    void ended();
    void runPutOff();

    int m_count = 0;
    bool m_scheduled = false;
    bool m_running = false;
    std::deque<PutOff> m_putOff;
};

} // namespace ferrowen
