#pragma once

#include <QString>

namespace ferrowen {

// The version of this build, from the project's one version number (the
// top CMakeLists.txt), shown by --version and the About box.
QString programVersion();

} // namespace ferrowen
