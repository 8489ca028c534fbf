#include "spell/CustomWordList.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ferrowen {

StatusOr<QStringList> readCustomWords(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return QStringList();
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("The word list %1 cannot be read: %2").arg(path, file.errorString()));
    QStringList words;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words << word;
    }
    return words;
}

Status addCustomWord(const QString &path, const QString &word)
{
    const QString added = word.trimmed();
    if (added.isEmpty() || added.contains(QLatin1Char('\n')))
        return Status::failure(QStringLiteral("Only a single word can be added to the word list."));
    StatusOr<QStringList> words = readCustomWords(path);
    if (!words)
        return words.status();
    if (words->contains(added))
        return Status::success();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("The word list %1 cannot be written: %2").arg(path, file.errorString()));
    QByteArray text;
    for (const QString &existing : std::as_const(*words))
        text += existing.toUtf8() + '\n';
    text += added.toUtf8() + '\n';
    if (file.write(text) != text.size() || !file.commit())
        return Status::failure(QStringLiteral("The word list %1 cannot be written: %2").arg(path, file.errorString()));
    return Status::success();
}

} // namespace ferrowen
