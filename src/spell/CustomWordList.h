#pragma once

#include "platform/Status.h"
#include "platform/StatusOr.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

// The user's own words: a plain text file (UTF-8), one word a line. A
// missing file is an empty list.
StatusOr<QStringList> readCustomWords(const QString &path);

// Adds word at the end of the list, replacing the file only once the whole
// new list is written. A word already in the list is not added again.
Status addCustomWord(const QString &path, const QString &word);

} // namespace ferrowen
