#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

#include <utility>

namespace ferrowen {

class AddressGridModel;

// The address grid MSFlexGrid1: a view of the open book that draws only
// the rows on screen, so books of any length stay fluid, and that screen
// readers read as a table (cells and column headers). It speaks the grid's
// own terms to the rest of the pane: row 0 is the header row, addresses
// are rows 1 to Rows()-1, the last column is the hidden end column. Cells
// are edited in the pane's TextEdit, never in place.
class AddressGrid : public QTableView
{
    Q_OBJECT

public:
    explicit AddressGrid(QWidget *parent = nullptr);

    AddressGridModel &addressModel() const { return *m_model; }

    int Rows() const;
    int Cols() const;
    // The current cell (Row 0 when there is none) and the other end of the
    // selected block of rows (RowSel equals Row for a single row).
    int Row() const;
    int RowSel() const;
    int Col() const;
    // The first and last row of the selected block that holds the current
    // cell, in grid rows; the current row alone when nothing else is
    // selected, {0, 0} when there is no current cell.
    std::pair<int, int> selectedRows() const;
    // Row 0 gives the column's name, without the sort marker.
    QString TextMatrix(int row, int column) const;

    void setCurrentCell(int row, int column);
    // One cell to the right (step 1) or left (-1), as the grid's own arrow
    // keys move: over hidden columns, and not past the edge.
    void moveSideways(int step);
    void makeFirstVisibleRow(int row);
    void makeFirstVisibleColumn(int column);
    // Scrolls only as far as needed to show the cell.
    void ensureCellVisible(int row, int column);
    bool isCellVisible(int row, int column) const;
    int firstVisibleColumn() const;
    void setColumnWidthTwips(int column, int twips);

    // The cell being edited is drawn yellow.
    void setHighlightedCell(int row, int column);
    void clearHighlight();
    bool isHighlighted(const QModelIndex &index) const { return index.isValid() && index == m_highlighted; }

Q_SIGNALS:
    // A mouse press on a column's header (not on the edge between two).
    void headerPressed(int column);
    void focusRegained();

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QModelIndex cellIndex(int row, int column) const;

    AddressGridModel *m_model;
    QPersistentModelIndex m_highlighted;
};

} // namespace ferrowen
