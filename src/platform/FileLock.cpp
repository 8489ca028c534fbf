#include "platform/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ferrowen {

namespace {

// Short enough that a waiter notices a released lock quickly, long enough
// not to spin on a busy machine.
constexpr unsigned long retryIntervalMs = 10;

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

int openSidecar(const QByteArray &path)
{
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        // A read-only folder may still hold a lock file made by its owner.
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    }
    return fd;
}

} // namespace

FileLock::FileLock(const QString &lockFilePath, Mode mode, std::chrono::milliseconds timeout)
{
    m_fd = openSidecar(QFile::encodeName(lockFilePath));
    if (m_fd < 0) {
        m_status = Status::failure(QStringLiteral("cannot open the lock file %1: %2").arg(lockFilePath, systemError(errno)));
        return;
    }

    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        if (::flock(m_fd, operation) == 0) {
            m_status = Status::success();
            return;
        }
        const int code = errno;
        if (code == EINTR)
            continue;
        if (code != EWOULDBLOCK) {
            m_status = Status::failure(QStringLiteral("cannot lock %1: %2").arg(lockFilePath, systemError(code)));
            return;
        }
        if (deadline.hasExpired()) {
            m_status = Status::failure(QStringLiteral("timed out waiting for the lock on %1").arg(lockFilePath));
            return;
        }
        QThread::msleep(retryIntervalMs);
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0) {
        // Closing the descriptor releases the lock as well.
        ::close(m_fd);
    }
}

} // namespace ferrowen
