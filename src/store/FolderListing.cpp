#include "store/FolderListing.h"

#include "platform/SaveFileLeftovers.h"
#include "store/MessageNameFields.h"
#include "store/TextOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace ferrowen {

namespace {

constexpr qsizetype ProgressEvery = 4096;

// The names of the files in a folder, in the directory's own order; none
// when the reading was stopped. On Unix the directory is read directly:
// going through QDirIterator's file information costs as much again.
std::optional<QStringList> fileNamesIn(const QString &folderPath, const ListingProgress &progress)
{
    QStringList names;
    const auto seen = [&names, &progress] {
        return !progress || names.size() % ProgressEvery != 0 || progress(names.size());
    };
#ifdef Q_OS_UNIX
    DIR *directory = opendir(QFile::encodeName(folderPath).constData());
    if (!directory)
        return names;
    const QDir folder(folderPath);
    while (const dirent *entry = readdir(directory)) {
        const QString name = QFile::decodeName(entry->d_name);
        const bool file = entry->d_type == DT_REG
            || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) && QFileInfo(folder.filePath(name)).isFile());
        if (!file)
            continue;
        names.append(name);
        if (!seen()) {
            closedir(directory);
            return std::nullopt;
        }
    }
    closedir(directory);
#else
    QDirIterator files(folderPath, QDir::Files | QDir::Hidden | QDir::System);
    while (files.hasNext()) {
        files.next();
        names.append(files.fileName());
        if (!seen())
            return std::nullopt;
    }
#endif
    return names;
}

} // namespace

QStringList savedMessageFolders(const QString &storePath)
{
    QStringList names = QDir(storePath).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

bool isMessageLeftover(const QString &name)
{
    const QStringView target = saveFileLeftoverTarget(name);
    return target.endsWith(QLatin1String(".htm")) && messageNameParts(target);
}

std::vector<ListedMessage> listFolderMessages(const QString &folderPath, const ListingProgress &progress)
{
    std::optional<QStringList> names = fileNamesIn(folderPath, progress);
    if (!names)
        return {};
    // Names in a folder differ: no need for a stable sort.
    std::sort(names->begin(), names->end(), lessIgnoringCase);
    std::vector<ListedMessage> rows;
    rows.reserve(size_t(names->size()));
    QStringList leftovers;
    for (const QString &name : std::as_const(*names)) {
        if (isMessageLeftover(name))
            leftovers.append(name);
        else if (std::optional<ListedMessage> row = ListedMessage::fromFileName(name))
            rows.push_back(std::move(*row));
    }
    removeStaleLeftovers(folderPath, leftovers);
    if (progress && !progress(names->size()))
        return {};
    return rows;
}

FolderChanges folderChanges(const QString &folderPath, const QStringList &listed, const ListingProgress &progress)
{
    const std::optional<QStringList> names = fileNamesIn(folderPath, progress);
    if (!names || (progress && !progress(names->size())))
        return {};
    const QSet<QString> onDisk(names->cbegin(), names->cend());
    FolderChanges changes;
    for (const QString &name : listed) {
        if (!onDisk.contains(name))
            changes.gone.insert(name);
    }
    const QSet<QString> known(listed.cbegin(), listed.cend());
    for (const QString &name : std::as_const(*names)) {
        if (known.contains(name))
            continue;
        if (std::optional<ListedMessage> row = ListedMessage::fromFileName(name))
            changes.came.push_back(std::move(*row));
    }
    return changes;
}

} // namespace ferrowen
