#pragma once

#include "platform/FileLock.h"
#include "platform/IniDocument.h"
#include "platform/Status.h"

#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace ferrowen {

// An INI file read and written key by key, shared safely with other
// processes.
//
// readString follows IniDocument's rules and then limits the result the way
// a 299-character read buffer does: at most readLimit characters, cut at the
// first NUL character. readWholeString skips the length limit. A missing
// file, section or key gives the default. Reads take no lock: the file is
// only ever replaced whole, so a reader sees the old or the new text.
//
// Every write is one read-modify-write under an exclusive lock on the
// sidecar file path() + ".lock", waiting at most lockTimeout() for it, and
// replaces the file atomically. Writing creates the folder, the file, the
// section and the key as needed and leaves every other line untouched.
// Names holding "]", "=" or line breaks, and values holding line breaks,
// NUL characters or lone surrogates, are refused: nothing is written and
// the Status says why. Every value written reads back as it was given
// (IniDocument quotes it where a reader would change it).
// While it holds the lock a write also removes the temporary files that
// writers killed before they finished left beside the file.
class ProfileFile
{
public:
    static constexpr int readLimit = 298;

    // The new value for a key, decided from its current value (nothing when
    // the key is missing); returning nothing leaves the file untouched.
    using ValueUpdate = std::function<std::optional<QString>(const std::optional<QString> &current)>;
    // Changes the document read under the lock; a failure writes nothing.
    using DocumentEdit = std::function<Status(IniDocument &document)>;

    struct Entry
    {
        QString section;
        QString key;
        QString value;
        IniDocument::ValueLayout layout = IniDocument::ValueLayout::Plain;
    };

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    QString lockFilePath() const;

    std::chrono::milliseconds lockTimeout() const { return m_lockTimeout; }
    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }
    // The same file, written with another lock wait.
    ProfileFile withLockTimeout(std::chrono::milliseconds timeout) const;
    // The same file, replaced without waiting for the disk: a crash of the
    // program still leaves the last value written readable, only a crash
    // of the whole machine may lose it. For values written often whose
    // loss costs nothing, such as a progress trace.
    ProfileFile withoutFlush() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    QString readWholeString(const QString &section, const QString &key, const QString &defaultValue) const;

    Status writeString(const QString &section, const QString &key, const QString &value);
    // Writes all entries, in their order, in one update: all or none.
    Status writeStrings(const std::vector<Entry> &entries);

    // Reads the key (whole), asks `decide` and writes its answer, all under
    // one lock.
    Status update(const QString &section, const QString &key, const ValueUpdate &decide);

    // Reads the file, lets `change` edit it and writes the result, all under
    // one lock. The file is written only when its bytes changed.
    Status edit(const DocumentEdit &change);

private:
    std::optional<QString> readWhole(const QString &section, const QString &key) const;

    Status replace(const QByteArray &content) const;

    QString m_path;
    std::chrono::milliseconds m_lockTimeout = FileLock::defaultTimeout;
    bool m_flush = true;
};

} // namespace ferrowen
