#pragma once

#include "platform/Status.h"

#include <QString>

#include <chrono>

namespace ferrowen {

// An advisory lock (flock) on a small sidecar file, held for the lifetime of
// the object. Processes that agree to take it before touching the guarded
// file never see each other's half-done work. Locks taken through two
// FileLock objects exclude each other even inside one process.
class FileLock
{
public:
    enum class Mode { Shared, Exclusive };

    static constexpr std::chrono::milliseconds defaultTimeout{5000};

    // Waits up to `timeout` for the lock, in short steps that let the
    // events of the application's thread run; status() tells whether it
    // came. The sidecar file is created when missing, but not its folder.
    FileLock(const QString &lockFilePath, Mode mode,
             std::chrono::milliseconds timeout = defaultTimeout);
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Success while the lock is held, else why it did not come.
    const Status &status() const { return m_status; }

private:
    int m_fd = -1;
    Status m_status = Status::failure(QStringLiteral("not locked"));
};

} // namespace ferrowen
