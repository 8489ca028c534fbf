#pragma once

#include <QString>

namespace ferrowen {

// The direction of the last sort by a header click (the grid's own sort
// codes: 5 ascending, 6 descending, 0 before any sort).
enum class SortDirection : int { None = 0, Ascending = 5, Descending = 6 };

// Which header shows the sort marker ("^ " ascending, "v " descending in
// front of the column's name) and which way the next click sorts. Column
// names are kept without the marker; it is only drawn.
class SortMarker
{
public:
    // A header click on `column`: a second click on the marked column
    // reverses the last sort, a click elsewhere sorts ascending.
    SortDirection click(int column);

    // A book was opened: the marker goes back to column 0 without being
    // drawn; the last direction is kept, so a first click on column 0
    // reverses it.
    void resetForNewBook();

    // What the header of `column` shows for its name.
    QString headerText(int column, const QString &name) const;

    int column() const { return m_column; }
    SortDirection sortDirection() const { return m_direction; }

private:
    int m_column = 0;
    bool m_drawn = false;
    SortDirection m_direction = SortDirection::None;
};

} // namespace ferrowen
