#include "app/LatestValueWriter.h"

#include "app/SettingsLockWaits.h"

#include <QMutexLocker>
#include <QTimer>

#include <utility>

namespace ferrowen {

// Lives on the writer's thread: writes the value waiting, if any.
class LatestValueWriter::Worker : public QObject
{
public:
    Worker(LatestValueWriter &owner, const ProfileFile &file, QString section, QString key)
        : m_owner(owner)
        , m_file(file.withLockTimeout(InterfaceLockWait).withoutFlush())
        , m_section(std::move(section))
        , m_key(std::move(key))
        , m_retry(this) // moves to the writer's thread with its worker
    {
        m_retry.setSingleShot(true);
        m_retry.setInterval(retryInterval);
        connect(&m_retry, &QTimer::timeout, this, &Worker::writePending);
    }

    void writePending()
    {
        std::optional<QString> value;
        {
            const QMutexLocker lock(&m_owner.m_mutex);
            value = m_owner.m_pending;
        }
        if (!value)
            return;
        // A failed write (usually the lock held by another process) keeps
        // the value for the retry.
        if (!m_file.writeString(m_section, m_key, *value).ok()) {
            m_retry.start();
            return;
        }
        m_retry.stop();
        const QMutexLocker lock(&m_owner.m_mutex);
        m_owner.m_written = value;
        // A later value given meanwhile still waits.
        if (m_owner.m_pending == value)
            m_owner.m_pending.reset();
    }

private:
    LatestValueWriter &m_owner;
    ProfileFile m_file;
    QString m_section;
    QString m_key;
    QTimer m_retry;
};

LatestValueWriter::LatestValueWriter(const ProfileFile &file, QString section, QString key, QObject *parent)
    : QObject(parent)
{
    m_worker = new Worker(*this, file, std::move(section), std::move(key));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("LatestValueWriter"));
    m_thread.start();
}

LatestValueWriter::~LatestValueWriter()
{
    // The last value is in the file once the program has ended.
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->writePending(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void LatestValueWriter::write(const QString &value)
{
    {
        const QMutexLocker lock(&m_mutex);
        if (!m_pending && m_written == value)
            return;
        m_pending = value;
    }
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->writePending(); }, Qt::QueuedConnection);
}

std::optional<QString> LatestValueWriter::pending() const
{
    const QMutexLocker lock(&m_mutex);
    return m_pending;
}

} // namespace ferrowen
