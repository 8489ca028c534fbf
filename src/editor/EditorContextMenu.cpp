#include "editor/EditorContextMenu.h"

namespace ferrowen {

namespace {

enum Query { QueryMakeAbsolute, QuerySendToBack, QueryInsertRow, QueryCut, QueryCopy, QueryPaste, QuerySelectAll, QueryFont };

int greyedUnless(CommandStatus status)
{
    return isAvailable(status) ? 0 : 2;
}

} // namespace

QList<EditorCommand> contextMenuQueries()
{
    return {EditorCommand::MakeAbsolute, EditorCommand::SendToBack, EditorCommand::InsertRow,
            EditorCommand::Cut,          EditorCommand::Copy,       EditorCommand::Paste,
            EditorCommand::SelectAll,    EditorCommand::FontDialog};
}

ContextMenuItems buildContextMenu(const QList<CommandStatus> &statuses)
{
    const auto status = [&](Query query) { return statuses.value(query, CommandStatus::NotSupported); };
    ContextMenuItems menu;
    menu.layout.positioning = isAvailable(status(QueryMakeAbsolute));
    menu.layout.positioned = isAvailable(status(QuerySendToBack));
    menu.layout.table = isAvailable(status(QueryInsertRow));

    const auto add = [&](const char *text, int state = 0) {
        menu.texts << QLatin1String(text);
        menu.states << state;
    };
    add("Cut", greyedUnless(status(QueryCut)));
    add("Copy", greyedUnless(status(QueryCopy)));
    add("Paste", greyedUnless(status(QueryPaste)));
    add("");
    add("Select All", greyedUnless(status(QuerySelectAll)));
    add("");
    add("Font...", greyedUnless(status(QueryFont)));
    if (menu.layout.positioning) {
        add("");
        add(menu.layout.positioned ? "Make 1D" : "Make 2D");
    }
    if (menu.layout.table) {
        add("");
        add("Insert Row");
        add("Insert Column");
        add("");
        add("Delete Row");
        add("Delete Column");
        add("");
        add("Cell Properties");
        add("Row Properties");
        add("Column Properties");
        add("Table Properties");
    }
    return menu;
}

ContextMenuAction contextMenuAction(const ContextMenuLayout &layout, int index)
{
    if (index < 0 || index >= layout.itemCount())
        return ContextMenuAction::None;
    switch (index) {
    case 0: return ContextMenuAction::Cut;
    case 1: return ContextMenuAction::Copy;
    case 2: return ContextMenuAction::Paste;
    case 4: return ContextMenuAction::SelectAll;
    case 6: return ContextMenuAction::Font;
    default: break;
    }
    if (layout.positioning && index == 8)
        return ContextMenuAction::MakeAbsolute;
    if (!layout.table)
        return ContextMenuAction::None;
    switch (index - layout.tableBase()) {
    case 2: return ContextMenuAction::InsertRow;
    case 3: return ContextMenuAction::InsertColumn;
    case 5: return ContextMenuAction::DeleteRow;
    case 6: return ContextMenuAction::DeleteColumn;
    case 8: return ContextMenuAction::CellProperties;
    case 9: return ContextMenuAction::RowProperties;
    case 10: return ContextMenuAction::ColumnProperties;
    case 11: return ContextMenuAction::TableProperties;
    default: return ContextMenuAction::None;
    }
}

} // namespace ferrowen
