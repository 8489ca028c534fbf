#pragma once

#include <QString>

namespace ferrowen {

// The folder that keeps the copies of sent messages, named "sent" in any
// mix of case.
bool isSentFolder(const QString &folderName);

// A name that can be a saved-message folder: not empty, no "/" or "\", not
// "." or "..", no NUL. Such a name stays inside the store. Any other text is
// taken as it is (no trimming).
bool isValidFolderName(const QString &folderName);

} // namespace ferrowen
