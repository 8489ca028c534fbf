#include "store/FolderListing.h"

#include "store/TextOrder.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace ferrowen {

namespace {

constexpr qsizetype ProgressEvery = 4096;

} // namespace

QStringList savedMessageFolders(const QString &storePath)
{
    QStringList names = QDir(storePath).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::vector<ListedMessage> listFolderMessages(const QString &folderPath, const ListingProgress &progress)
{
    QStringList names;
    QDirIterator files(folderPath, QDir::Files | QDir::Hidden | QDir::System);
    while (files.hasNext()) {
        files.next();
        names.append(files.fileName());
        if (progress && names.size() % ProgressEvery == 0 && !progress(names.size()))
            return {};
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);

    std::vector<ListedMessage> rows;
    rows.reserve(names.size());
    for (const QString &name : std::as_const(names)) {
        if (std::optional<ListedMessage> row = ListedMessage::fromFileName(name))
            rows.push_back(std::move(*row));
    }
    if (progress && !progress(names.size()))
        return {};
    return rows;
}

} // namespace ferrowen
