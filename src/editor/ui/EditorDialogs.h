#pragma once

#include "editor/CellScope.h"

namespace ferrowen {

// The editor's dialogs for hyperlinks, images and tables, which the panel
// opens from its toolbar and its context menu. Until a set of dialogs is
// attached, their buttons stay disabled and their menu items do nothing.
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;

    virtual void openHyperlink() = 0;      // toolbar "link"
    virtual void openImage() = 0;          // toolbar "image"
    virtual void openInsertTable() = 0;    // toolbar "table"
    // From Timer1, once the context menu has closed.
    virtual void openCellProperties(CellScope scope) = 0;
    virtual void openTableProperties() = 0;
};

} // namespace ferrowen
