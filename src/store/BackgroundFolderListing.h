#pragma once

#include "store/FolderListing.h"
#include "store/ListedMessage.h"
#include "store/ListedMessageOrder.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace ferrowen {

// Lists a saved-message folder on a thread of its own and sorts it, or
// finds what changed in it since it was listed, so the window goes on
// answering while a folder of any size is read. The rows or the changes
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
    // Starts looking for what changed in the folder since the files
    // `listed` were listed; abandons a listing still running likewise.
    void startChanges(const QString &folderPath, const QStringList &listed);
    // Abandons the listing running now, if any.
    void cancel();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void finished(const ferrowen::BackgroundFolderListing::Rows &rows);
    void changesFound(const std::shared_ptr<ferrowen::FolderChanges> &changes);

private:
    // Runs work on a thread of its own; what it posts back is delivered only
    // while no later start or cancel came.
    void run(std::function<void(const std::function<bool()> &cancelled, quint64 generation)> work);
    void deliver(quint64 generation, const Rows &rows);
    void deliverChanges(quint64 generation, const std::shared_ptr<FolderChanges> &changes);

    quint64 m_generation = 0;
    bool m_running = false;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    QList<QPointer<QThread>> m_threads;
};

} // namespace ferrowen
