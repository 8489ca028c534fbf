#pragma once

#include "platform/Status.h"

#include <QString>

namespace ferrowen {

// The folder that keeps the copies of sent messages, named "sent" in any
// mix of case.
bool isSentFolder(const QString &folderName);

// A name that can be a saved-message folder: one that stays inside the
// store (staysInFolder). Any other text is taken as it is (no trimming).
bool isValidFolderName(const QString &folderName);

// Makes a new saved-message folder in the store. Fails for a name that is
// not valid and when a folder or file of that name is there already.
Status createSavedMessageFolder(const QString &storePath, const QString &folderName);

} // namespace ferrowen
