#pragma once

#include "platform/Status.h"

#include <QString>

namespace ferrowen {

// Removes what QSaveFile leaves beside `targetPath` when its writer is
// killed before it finishes: files named like the target plus "." and six
// letters or digits ("plinthmere.ini.AbXyZq"). Nothing else is touched, in
// particular not the target's ".lock" sidecar.
//
// Call it only while holding the lock every writer of the target takes:
// then no writer is at work, and any such file is a leftover.
Status removeSaveFileLeftovers(const QString &targetPath);

} // namespace ferrowen
