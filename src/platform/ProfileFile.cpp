#include "platform/ProfileFile.h"

#include "platform/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ferrowen {

namespace {

// The value as a fixed-size read buffer would hand it over.
QString limitedLikeReadBuffer(QString value)
{
    if (const qsizetype nul = value.indexOf(QChar(0)); nul >= 0)
        value.truncate(nul);
    if (value.size() > ProfileFile::readLimit) {
        value.truncate(ProfileFile::readLimit);
        // Never hand out half of a surrogate pair.
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

std::optional<QString> readValue(const IniDocument &document, const QString &section, const QString &key)
{
    std::optional<QString> value = document.value(section, key);
    if (value)
        value = limitedLikeReadBuffer(*value);
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

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (!QFileInfo::exists(m_path))
        return defaultValue;

    // A reader that cannot get the lock still reads: the file is only ever
    // replaced whole, so it sees the old or the new text, never a mix.
    const FileLock lock(lockFilePath(), FileLock::Mode::Shared, m_lockTimeout);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    return readValue(IniDocument(file.readAll()), section, key).value_or(defaultValue);
}

Status ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return update(section, key, [&value](const std::optional<QString> &) { return value; });
}

Status ProfileFile::writeStringIfEmpty(const QString &section, const QString &key, const QString &value,
                                       bool &written)
{
    written = false;
    bool wasEmpty = false;
    const Status status = update(section, key, [&](const std::optional<QString> &current) -> std::optional<QString> {
        wasEmpty = !current || current->isEmpty();
        if (!wasEmpty)
            return std::nullopt;
        return value;
    });
    written = status.ok() && wasEmpty;
    return status;
}

Status ProfileFile::update(const QString &section, const QString &key, const ValueUpdate &decide)
{
    if (QString error = IniDocument::sectionNameError(section); !error.isEmpty())
        return Status::failure(error);
    if (QString error = IniDocument::keyNameError(key); !error.isEmpty())
        return Status::failure(error);

    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return Status::failure(QStringLiteral("cannot create the folder %1").arg(folder));

    const FileLock lock(lockFilePath(), FileLock::Mode::Exclusive, m_lockTimeout);
    if (!lock.isLocked())
        return Status::failure(lock.error());

    QByteArray oldContent;
    const bool existed = QFileInfo::exists(m_path);
    if (existed) {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return Status::failure(QStringLiteral("cannot read %1: %2").arg(m_path, file.errorString()));
        oldContent = file.readAll();
    }

    IniDocument document(oldContent);
    const std::optional<QString> newValue = decide(readValue(document, section, key));
    if (!newValue)
        return Status::success();
    if (QString error = IniDocument::valueError(*newValue); !error.isEmpty())
        return Status::failure(error);

    document.setValue(section, key, *newValue);
    const QByteArray newContent = document.toBytes();
    if (existed && newContent == oldContent)
        return Status::success();

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(m_path, file.errorString()));
    if (file.write(newContent) != newContent.size() || !file.commit())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(m_path, file.errorString()));
    return Status::success();
}

} // namespace ferrowen
