#include "app/LatestValueWriter.h"

#include "app/SettingsLockWaits.h"

#include <utility>

namespace ferrowen {

LatestValueWriter::LatestValueWriter(const ProfileFile &file, QString section, QString key, QObject *parent)
    : QObject(parent)
    , m_file(file.withLockTimeout(InterfaceLockWait).withoutFlush())
    , m_section(std::move(section))
    , m_key(std::move(key))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(retryInterval);
    connect(&m_retry, &QTimer::timeout, this, &LatestValueWriter::writePending);
}

void LatestValueWriter::write(const QString &value)
{
    if (!m_pending && m_written == value)
        return;
    m_pending = value;
    writePending();
}

void LatestValueWriter::writePending()
{
    if (!m_pending)
        return;
    // A failed write (usually the lock held by another process) keeps the
    // value for the retry.
    if (m_file.writeString(m_section, m_key, *m_pending).ok()) {
        m_written = std::exchange(m_pending, std::nullopt);
        m_retry.stop();
    } else if (!m_retry.isActive()) {
        m_retry.start();
    }
}

} // namespace ferrowen
