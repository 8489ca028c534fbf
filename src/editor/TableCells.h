#pragma once

#include "editor/CellScope.h"

#include <QList>
#include <QString>

namespace ferrowen {

// Finds the cell tags of a document source that the cell properties
// dialog reads and changes. The source is read as tables of rows of cells
// (TD and TH alike); a table inside a cell is a table of its own, so the
// cells of a row or column never include the cells of a table nested in
// them, and a caret inside a nested table works on that table.

// The tag of the cell holding the selection: the cell tag at
// markerPosition (1-based) when the selection starts with it, else the
// innermost cell around markerPosition. 0 when there is none.
int cellTagAt(const QString &source, int markerPosition);

// The tags (1-based positions, in document order) that the scope changes:
// the cell; every cell of its row; or the cell at the same index in every
// row of its table.
QList<int> cellTagsInScope(const QString &source, int markerPosition, CellScope scope);

} // namespace ferrowen
