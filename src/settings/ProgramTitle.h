#pragma once

#include <QStringView>

namespace ferrowen {

// The display name: the main window's caption, the application's title and
// the caption of every message box.
inline constexpr QStringView ProgramTitle = u"Ferrowen";

} // namespace ferrowen
