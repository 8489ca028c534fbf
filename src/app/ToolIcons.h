#pragma once

#include <QIcon>
#include <QStringView>

namespace ferrowen {

// Icons of the toolbar buttons, drawn as vector shapes at whatever size and
// pixel ratio the button asks for. key is the button's key ("go", "back",
// "new", "setto", ...); an unknown key gives a null icon.
QIcon toolIcon(QStringView key);

} // namespace ferrowen
