#pragma once

#include "platform/Status.h"

#include <QString>
#include <QStringList>

#include <chrono>

namespace ferrowen {

// The longest file name, in bytes, the file systems the program runs on
// take.
inline constexpr int MaxFileNameBytes = 255;
// What QSaveFile adds to a file's name for the temporary file it writes
// and then renames over the file: "." and six letters or digits.
inline constexpr int SaveFileSuffixBytes = 7;
// The longest name of a file written through QSaveFile: a longer one can
// be made once but never replaced.
inline constexpr int MaxReplaceableFileNameBytes = MaxFileNameBytes - SaveFileSuffixBytes;

// A leftover younger than this may be the file of a writer still at work
// in another process; older ones are removed when met.
inline constexpr std::chrono::seconds LeftoverMinimumAge{60};

// The name of the file a leftover was to replace: `name` without its "."
// and six letters or digits; empty when `name` does not end so.
QStringView saveFileLeftoverTarget(QStringView name);

// Removes those of the files `names` in `folder` that are older than
// LeftoverMinimumAge; a file that cannot be removed is tried again the
// next time.
void removeStaleLeftovers(const QString &folder, const QStringList &names);
// The same for the leftovers beside one file.
void removeStaleLeftoversOf(const QString &targetPath);

// Removes what QSaveFile leaves beside `targetPath` when its writer is
// killed before it finishes: files named like the target plus "." and six
// letters or digits ("plinthmere.ini.AbXyZq"). Nothing else is touched, in
// particular not the target's ".lock" sidecar.
//
// Call it only while holding the lock every writer of the target takes:
// then no writer is at work, and any such file is a leftover.
Status removeSaveFileLeftovers(const QString &targetPath);

} // namespace ferrowen
