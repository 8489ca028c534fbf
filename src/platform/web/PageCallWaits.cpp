#include "platform/web/PageCallWaits.h"

namespace ferrowen {

PageCallWaits &PageCallWaits::instance()
{
    static PageCallWaits waits;
    return waits;
}

void PageCallWaits::whenNoneWaits(QObject *context, std::function<void()> work)
{
    if (!waiting() && m_putOff.empty()) {
        work();
        return;
    }
    m_putOff.push_back({context, std::move(work)});
}

void PageCallWaits::ended()
{
    --m_count;
    if (m_count > 0 || m_putOff.empty() || m_scheduled)
        return;
    // Not now: the caller of the call goes on with its work first.
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &PageCallWaits::runPutOff, Qt::QueuedConnection);
}

void PageCallWaits::runPutOff()
{
    m_scheduled = false;
    // One run at a time: work that opens a dialog lets the loop run, and
    // what follows it waits for it.
    if (m_running)
        return;
    m_running = true;
    while (!waiting() && !m_putOff.empty()) {
        PutOff next = std::move(m_putOff.front());
        m_putOff.pop_front();
        if (next.context)
            next.work();
    }
    m_running = false;
}

} // namespace ferrowen
