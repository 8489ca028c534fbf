#pragma once

#include <QStringView>

namespace ferrowen {

// Whether `name`, joined to a folder, names an entry of that folder and
// nothing outside it: not empty, not "." or "..", no folder separator ("/"
// or "\") and no control character. The one rule for every name a user
// gives a file or folder (saved-message folders, templates, address books).
bool staysInFolder(QStringView name);

// The same, and short enough that a QSaveFile can still replace the file:
// room stays beside it for the temporary name (MaxReplaceableFileNameBytes).
bool isReplaceableFileName(QStringView name);

} // namespace ferrowen
