#pragma once

#include "platform/ProfileFile.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

namespace ferrowen {

// Writes one key of the settings file from the interface thread without
// making the window wait: each write waits at most InterfaceLockWait for
// the file's lock, and none waits for the disk (a crash of the program
// still leaves the last value readable). A value that could not be written
// is kept, only the latest one, and written by a retry a moment later or by
// the next write, whichever comes first; a value the key holds already is
// not written again. Meant for keys where only the last value matters, such
// as the progress trace "bug".
class LatestValueWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds retryInterval{200};

    LatestValueWriter(const ProfileFile &file, QString section, QString key, QObject *parent = nullptr);

    void write(const QString &value);

    // A value still waiting to be written.
    const std::optional<QString> &pending() const { return m_pending; }

private:
    void writePending();

    ProfileFile m_file;
    QString m_section;
    QString m_key;
    std::optional<QString> m_pending;
    // What this writer put into the key last.
    std::optional<QString> m_written;
    QTimer m_retry;
};

} // namespace ferrowen
