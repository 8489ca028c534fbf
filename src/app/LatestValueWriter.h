#pragma once

#include "platform/ProfileFile.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>

#include <chrono>
#include <optional>

namespace ferrowen {

// Writes one key of the settings file without ever making the window wait:
// the writes happen in order on a thread of their own, each at once, none
// waiting for the disk (a crash of the program leaves the last value
// written readable, normally the last one given). When values come faster
// than they can be written, the latest one is written and those it replaced
// are skipped. A value that could not be written (the file's lock was busy
// for InterfaceLockWait) is kept and written by a retry a moment later or
// by the next value, whichever comes first. Meant for keys where only the
// last value matters, such as the progress trace "bug".
class LatestValueWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds retryInterval{200};

    LatestValueWriter(const ProfileFile &file, QString section, QString key, QObject *parent = nullptr);
    // Writes what is still waiting, then ends the thread.
    ~LatestValueWriter() override;

    void write(const QString &value);

    // A value still waiting to be written.
    std::optional<QString> pending() const;

private:
    class Worker;

    mutable QMutex m_mutex;
    std::optional<QString> m_pending;
    // What was put into the key last.
    std::optional<QString> m_written;
    QThread m_thread;
    Worker *m_worker = nullptr;
};

} // namespace ferrowen
