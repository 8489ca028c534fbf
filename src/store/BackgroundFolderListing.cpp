#include "store/BackgroundFolderListing.h"

#include "store/FolderListing.h"

#include <QThread>

namespace ferrowen {

BackgroundFolderListing::BackgroundFolderListing(QObject *parent)
    : QObject(parent)
{
}

BackgroundFolderListing::~BackgroundFolderListing()
{
    cancel();
    for (const QPointer<QThread> &thread : std::as_const(m_threads)) {
        if (thread) {
            thread->wait();
            delete thread;
        }
    }
}

void BackgroundFolderListing::start(const QString &folderPath, const ListSortOrder &order)
{
    run([this, folderPath, order](const std::function<bool()> &cancelled, quint64 generation) {
        auto rows = std::make_shared<std::vector<ListedMessage>>(
            listFolderMessages(folderPath, [&cancelled](qsizetype) { return !cancelled(); }));
        if (cancelled())
            return;
        sortListedMessages(*rows, order);
        QMetaObject::invokeMethod(this, [this, generation, rows] { deliver(generation, rows); }, Qt::QueuedConnection);
    });
}

void BackgroundFolderListing::startChanges(const QString &folderPath, const QStringList &listed)
{
    run([this, folderPath, listed](const std::function<bool()> &cancelled, quint64 generation) {
        auto changes = std::make_shared<FolderChanges>(
            folderChanges(folderPath, listed, [&cancelled](qsizetype) { return !cancelled(); }));
        if (cancelled())
            return;
        QMetaObject::invokeMethod(this, [this, generation, changes] { deliverChanges(generation, changes); },
                                  Qt::QueuedConnection);
    });
}

void BackgroundFolderListing::run(std::function<void(const std::function<bool()> &, quint64)> work)
{
    cancel();
    const quint64 generation = ++m_generation;
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    m_cancelled = cancelled;
    m_running = true;

    // The thread only reaches this object through queued calls, which Qt
    // drops when the object is gone; the destructor waits for the thread
    // anyway.
    QThread *thread = QThread::create([work = std::move(work), cancelled, generation] {
        work([cancelled] { return cancelled->load(); }, generation);
    });
    m_threads.removeAll(nullptr);
    m_threads.append(thread);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

void BackgroundFolderListing::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    m_running = false;
    // Whatever a cancelled listing still posts is for an old generation.
    ++m_generation;
}

void BackgroundFolderListing::deliver(quint64 generation, const Rows &rows)
{
    if (generation != m_generation)
        return;
    m_running = false;
    m_cancelled.reset();
    Q_EMIT finished(rows);
}

void BackgroundFolderListing::deliverChanges(quint64 generation, const std::shared_ptr<FolderChanges> &changes)
{
    if (generation != m_generation)
        return;
    m_running = false;
    m_cancelled.reset();
    Q_EMIT changesFound(changes);
}

} // namespace ferrowen
