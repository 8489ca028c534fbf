#pragma once

#include "editor/EditorCommand.h"

#include <QList>
#include <QStringList>

namespace ferrowen {

// The font names FontCombo offers, in order; the list index picks the name.
QStringList editorFontNames();
// FontSizeCombo: the HTML font sizes "1" to "7"; the size is the index + 1.
QStringList editorFontSizes();
// ComboStyle: "Normal" and "Heading 1" to "Heading 6".
QStringList editorStyleNames();

// The buttons of Toolbar3 that show the state of a command, in the order
// they are refreshed.
struct ToolbarStateEntry
{
    const char *key;
    EditorCommand command;
};
QList<ToolbarStateEntry> toolbarStateTable();

} // namespace ferrowen
