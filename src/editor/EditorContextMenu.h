#pragma once

#include "editor/EditorCommand.h"

#include <QList>
#include <QStringList>

namespace ferrowen {

// The editor's context menu: the basic group (7 items), then, when
// positioning is possible, "Make 2D" or "Make 1D" (2 items), then, with
// the caret in a table, the table group (11 items). Separators are items
// with an empty text.
struct ContextMenuLayout
{
    bool positioning = false;
    bool positioned = false; // "Make 1D" instead of "Make 2D"
    bool table = false;

    int itemCount() const { return 7 + (positioning ? 2 : 0) + (table ? 11 : 0); }
    // Index of the separator that opens the table group, less one.
    int tableBase() const { return positioning ? 8 : 6; }
};

struct ContextMenuItems
{
    ContextMenuLayout layout;
    QStringList texts;
    QList<int> states; // 0 normal, 2 greyed
};

// The statuses the menu is built from, in this order.
QList<EditorCommand> contextMenuQueries();
// statuses: one for each command of contextMenuQueries().
ContextMenuItems buildContextMenu(const QList<CommandStatus> &statuses);

enum class ContextMenuAction {
    None,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Font,
    MakeAbsolute,
    InsertRow,
    InsertColumn,
    DeleteRow,
    DeleteColumn,
    CellProperties,
    RowProperties,
    ColumnProperties,
    TableProperties,
};

// The action of item index (0-based) of a menu built with layout.
ContextMenuAction contextMenuAction(const ContextMenuLayout &layout, int index);

} // namespace ferrowen
