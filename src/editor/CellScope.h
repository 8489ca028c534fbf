#pragma once

namespace ferrowen {

// Which cells the cell properties dialog changes.
enum class CellScope { Cell = 0, Row = 1, Column = 2 };

} // namespace ferrowen
