#include "platform/FileLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ferrowen {

namespace {

// Short enough that a waiter notices a released lock quickly, long enough
// not to spin on a busy machine.
constexpr std::chrono::milliseconds retryInterval{10};

// One step of the wait for a lock another holder has. The interface thread
// keeps its events running meanwhile (all but the user's input, which could
// start work that expects this write done); other threads sleep.
void waitOneStep()
{
    const QCoreApplication *application = QCoreApplication::instance();
    if (application && QThread::currentThread() == application->thread()) {
        QEventLoop loop;
        QTimer::singleShot(retryInterval, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    } else {
        QThread::msleep(static_cast<unsigned long>(retryInterval.count()));
    }
}

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
        waitOneStep();
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
