#pragma once

#include <QString>

namespace ferrowen {

// The folder of the program's own files that a main folder is laid out
// from (start page, help, blank files): share/ferrowen beside the bin
// folder the program was installed to, under whatever prefix; or, for a
// program run from the build folder, the project's data folder. Empty when
// neither holds the start page. `programDir` is the folder of the running
// program.
QString installedDataDir(const QString &programDir);

// Where a first start lays out the main folder:
// $XDG_DATA_HOME/ferrowen/ (~/.local/share/ferrowen/), with a slash at the end.
QString defaultMainDir();

} // namespace ferrowen
