#pragma once

#include "store/ListedMessage.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <vector>

namespace ferrowen {

// The saved-message folders of the store (its subfolders), in name order
// without regard to case. None when the store cannot be read.
QStringList savedMessageFolders(const QString &storePath);

// Called now and then while a folder is read, with the number of files
// looked at so far; false stops the reading.
using ListingProgress = std::function<bool(qsizetype filesSeen)>;

// Whether the file is what a writer killed while replacing a saved message
// left beside it: the message's name, "." and six letters or digits.
bool isMessageLeftover(const QString &name);

// The saved messages of a folder, in file-name order without regard to
// case: every file whose name has four parts, whatever its extension, but
// the leftovers of killed writers, which are removed once they are old
// enough not to be a writer's file at work. An unreadable folder lists
// nothing; a stopped reading returns nothing. Only the names are read,
// never the files.
std::vector<ListedMessage> listFolderMessages(const QString &folderPath, const ListingProgress &progress = {});

// How a folder differs from what was listed of it: the files gone, and the
// rows of the messages that came.
struct FolderChanges
{
    QSet<QString> gone;
    std::vector<ListedMessage> came;

    bool isEmpty() const { return gone.isEmpty() && came.empty(); }
};

// What changed in a folder since its files `listed` (file names) were
// listed; the names are read again, the new ones alone become rows. A
// folder that cannot be read has lost every file; a stopped reading
// changes nothing.
FolderChanges folderChanges(const QString &folderPath, const QStringList &listed,
                            const ListingProgress &progress = {});

} // namespace ferrowen
