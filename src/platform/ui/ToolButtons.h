#pragma once

#include <QIcon>
#include <QString>
#include <QStringView>

#include <functional>

class QAction;
class QPainter;
class QToolBar;

namespace ferrowen {

// Icons of the toolbar buttons, drawn as vector shapes at whatever size and
// pixel ratio the button asks for. key is the button's key ("go", "back",
// "new", "setto", ...); an unknown key gives a null icon.
QIcon toolIcon(QStringView key);

// An icon drawn on a 16 x 16 grid by drawing, scaled to whatever size and
// pixel ratio the button asks for; drawn faded when disabled.
QIcon drawnIcon(std::function<void(QPainter &)> drawing);

// Adds a button to a toolbar, identified by its key: the action's object
// name and data are the key, its text and tool tip the tool tip.
QAction *addToolButton(QToolBar *toolbar, const char *key, const QString &toolTip);

} // namespace ferrowen
