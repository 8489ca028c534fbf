#pragma once

#include "store/ListedMessage.h"
#include "store/ListedMessageOrder.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

namespace ferrowen {

// Lists a saved-message folder on a thread of its own and sorts it, so the
// window goes on answering while a folder of any size is read. The rows
// arrive as a signal in the thread this object lives in.
class BackgroundFolderListing : public QObject
{
    Q_OBJECT

public:
    using Rows = std::shared_ptr<std::vector<ListedMessage>>;

    explicit BackgroundFolderListing(QObject *parent = nullptr);
    // Stops the listings still running and waits for their threads.
    ~BackgroundFolderListing() override;

    // Starts listing the folder, sorted in `order`. A listing still running
    // is abandoned: its rows never arrive.
    void start(const QString &folderPath, const ListSortOrder &order);
    // Abandons the listing running now, if any.
    void cancel();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void finished(const ferrowen::BackgroundFolderListing::Rows &rows);

private:
    void deliver(quint64 generation, const Rows &rows);

    quint64 m_generation = 0;
    bool m_running = false;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    QList<QPointer<QThread>> m_threads;
};

} // namespace ferrowen
