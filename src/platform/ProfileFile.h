#pragma once

#include "platform/FileLock.h"
#include "platform/Status.h"

#include <QString>

#include <chrono>
#include <functional>
#include <optional>

namespace ferrowen {

// An INI file read and written key by key, shared safely with other
// processes.
//
// Reading follows IniDocument's rules and then limits the result the way a
// 299-character read buffer does: at most readLimit characters, cut at the
// first NUL character. A missing file, section or key gives the default.
//
// Every write is one read-modify-write under an exclusive lock on the
// sidecar file path() + ".lock", and replaces the file atomically; reads
// take the same lock shared. Writing creates the folder, the file, the
// section and the key as needed and leaves every other line untouched.
// Names holding "]", "=" or line breaks, and values holding line breaks or
// NUL characters, are refused: nothing is written and the Status says why.
class ProfileFile
{
public:
    static constexpr int readLimit = 298;

    // The new value for a key, decided from its current value (nothing when
    // the key is missing); returning nothing leaves the file untouched.
    using ValueUpdate = std::function<std::optional<QString>(const std::optional<QString> &current)>;

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    QString lockFilePath() const;

    std::chrono::milliseconds lockTimeout() const { return m_lockTimeout; }
    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    Status writeString(const QString &section, const QString &key, const QString &value);

    // Reads the key, asks `decide` and writes its answer, all under one lock.
    Status update(const QString &section, const QString &key, const ValueUpdate &decide);

    // Writes `value` only when the key is missing or reads as empty.
    // `written` tells which happened; it is false whenever the Status fails.
    Status writeStringIfEmpty(const QString &section, const QString &key, const QString &value,
                              bool &written);

private:
    QString m_path;
    std::chrono::milliseconds m_lockTimeout = FileLock::defaultTimeout;
};

} // namespace ferrowen
