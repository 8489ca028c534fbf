#pragma once

#include <QIcon>
#include <QStringView>

namespace ferrowen {

// The images of Toolbar3's buttons, by key. "contract" is the image of the
// expand key while the panel is expanded.
QIcon editorIcon(QStringView key);

} // namespace ferrowen
