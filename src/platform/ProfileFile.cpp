#include "platform/ProfileFile.h"

#include "platform/IniDocument.h"
#include "platform/SaveFileLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ferrowen {

namespace {

std::optional<QString> valueUpToNul(const IniDocument &document, const QString &section, const QString &key)
{
    std::optional<QString> value = document.value(section, key);
    if (value) {
        if (const qsizetype nul = value->indexOf(QChar(0)); nul >= 0)
            value->truncate(nul);
    }
    return value;
}

// The value as a fixed-size read buffer would hand it over.
QString limitedLikeReadBuffer(QString value)
{
    if (value.size() > ProfileFile::readLimit) {
        value.truncate(ProfileFile::readLimit);
        // Never hand out half of a surrogate pair.
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

QString ProfileFile::lockFilePath() const
{
    return m_path + QStringLiteral(".lock");
}

ProfileFile ProfileFile::withLockTimeout(std::chrono::milliseconds timeout) const
{
    ProfileFile copy(*this);
    copy.setLockTimeout(timeout);
    return copy;
}

ProfileFile ProfileFile::withoutFlush() const
{
    ProfileFile copy(*this);
    copy.m_flush = false;
    return copy;
}

std::optional<QString> ProfileFile::readWhole(const QString &section, const QString &key) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return valueUpToNul(IniDocument(file.readAll()), section, key);
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<QString> value = readWhole(section, key);
    return value ? limitedLikeReadBuffer(*value) : defaultValue;
}

QString ProfileFile::readWholeString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return readWhole(section, key).value_or(defaultValue);
}

Status ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeStrings({{section, key, value}});
}

Status ProfileFile::writeStrings(const std::vector<Entry> &entries)
{
    // Refused before the folder or the lock is touched.
    for (const Entry &entry : entries) {
        if (Status names = IniDocument::checkNames(entry.section, entry.key); !names)
            return names;
        if (Status fits = IniDocument::checkValue(entry.value); !fits)
            return fits;
    }
    return edit([&entries](IniDocument &document) {
        for (const Entry &entry : entries) {
            if (Status set = document.setValue(entry.section, entry.key, entry.value, entry.layout); !set)
                return set;
        }
        return Status::success();
    });
}

Status ProfileFile::update(const QString &section, const QString &key, const ValueUpdate &decide)
{
    if (Status names = IniDocument::checkNames(section, key); !names)
        return names;
    return edit([&](IniDocument &document) {
        const std::optional<QString> newValue = decide(valueUpToNul(document, section, key));
        return newValue ? document.setValue(section, key, *newValue) : Status::success();
    });
}

Status ProfileFile::edit(const DocumentEdit &change)
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return Status::failure(QStringLiteral("cannot create the folder %1").arg(folder));

    const FileLock lock(lockFilePath(), FileLock::Mode::Exclusive, m_lockTimeout);
    if (!lock.status())
        return lock.status();

    // Not this write's business: a leftover that cannot be removed now is
    // tried again by the next write.
    if (Status cleaned = removeSaveFileLeftovers(m_path); !cleaned)
        qWarning("%s", qPrintable(cleaned.error()));

    QByteArray oldContent;
    const bool existed = QFileInfo::exists(m_path);
    if (existed) {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return Status::failure(QStringLiteral("cannot read %1: %2").arg(m_path, file.errorString()));
        oldContent = file.readAll();
    }

    IniDocument document(oldContent);
    if (Status changed = change(document); !changed)
        return changed;
    const QByteArray newContent = document.toBytes();
    if (newContent == oldContent)
        return Status::success();
    return replace(newContent);
}

Status ProfileFile::replace(const QByteArray &content) const
{
    const auto failed = [this](const QString &why) {
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(m_path, why));
    };
    if (m_flush) {
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            return failed(file.errorString());
        if (file.write(content) != content.size() || !file.commit())
            return failed(file.errorString());
        return Status::success();
    }
    // Beside the file under a name the leftover clean-up knows, then put
    // in its place in one step.
    QTemporaryFile file(m_path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return failed(file.errorString());
    if (file.write(content) != content.size() || !file.flush())
        return failed(file.errorString());
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return Status::success();
}

} // namespace ferrowen
