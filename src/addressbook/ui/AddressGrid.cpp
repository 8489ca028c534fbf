#include "addressbook/ui/AddressGrid.h"

#include "addressbook/ui/AddressGridModel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace ferrowen {

namespace {

const QColor EditedCellColour(255, 255, 0);

// Draws the cell being edited yellow, over any selection colour.
class HighlightDelegate : public QStyledItemDelegate
{
public:
    explicit HighlightDelegate(AddressGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_grid->isHighlighted(index)) {
            option->backgroundBrush = EditedCellColour;
            option->state &= ~QStyle::State_Selected;
            option->palette.setColor(QPalette::Text, Qt::black);
        }
    }

private:
    AddressGrid *m_grid;
};

} // namespace

AddressGrid::AddressGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new AddressGridModel(this))
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setAccessibleName(tr("Address Book"));
    setModel(m_model);
    setItemDelegate(new HighlightDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    // One height for every row: nothing is measured per row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // A header press sorts; it must not select the column.
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    // Narrow columns show the start of their names.
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
}

int AddressGrid::Rows() const
{
    return m_model->rowCount() + 1;
}

int AddressGrid::Cols() const
{
    return m_model->columnCount();
}

int AddressGrid::Row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int AddressGrid::RowSel() const
{
    const auto [first, last] = selectedRows();
    return Row() == first ? last : first;
}

std::pair<int, int> AddressGrid::selectedRows() const
{
    const int row = Row();
    int first = row;
    int last = row;
    if (row == 0)
        return {first, last};
    // The selection may come in several ranges (one per run of columns).
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        if (range.top() + 1 <= row && row <= range.bottom() + 1) {
            first = std::min(first, range.top() + 1);
            last = std::max(last, range.bottom() + 1);
        }
    }
    return {first, last};
}

int AddressGrid::Col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

QString AddressGrid::TextMatrix(int row, int column) const
{
    if (row == 0)
        return m_model->table().columnName(column);
    return m_model->table().cell(row - 1, column);
}

QModelIndex AddressGrid::cellIndex(int row, int column) const
{
    return m_model->index(row - 1, column);
}

void AddressGrid::setCurrentCell(int row, int column)
{
    const QModelIndex cell = cellIndex(row, column);
    if (cell.isValid())
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
}

void AddressGrid::moveSideways(int step)
{
    const QModelIndex next = moveCursor(step > 0 ? MoveRight : MoveLeft, Qt::NoModifier);
    if (next.isValid() && next != currentIndex())
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

void AddressGrid::makeFirstVisibleRow(int row)
{
    const QModelIndex cell = cellIndex(row, std::max(Col(), 0));
    if (!cell.isValid())
        return;
    // Scroll ranges follow the rows only once the view has laid them out.
    executeDelayedItemsLayout();
    scrollTo(cell, PositionAtTop);
}

void AddressGrid::makeFirstVisibleColumn(int column)
{
    if (column < 0 || column >= Cols())
        return;
    executeDelayedItemsLayout();
    horizontalScrollBar()->setValue(horizontalScrollMode() == ScrollPerItem
                                        ? horizontalHeader()->visualIndex(column)
                                        : horizontalHeader()->sectionPosition(column));
}

void AddressGrid::ensureCellVisible(int row, int column)
{
    const QModelIndex cell = cellIndex(row, column);
    if (!cell.isValid())
        return;
    executeDelayedItemsLayout();
    scrollTo(cell, EnsureVisible);
}

bool AddressGrid::isCellVisible(int row, int column) const
{
    const QRect cell = visualRect(cellIndex(row, column));
    return !cell.isEmpty() && viewport()->rect().contains(cell);
}

int AddressGrid::firstVisibleColumn() const
{
    return columnAt(0);
}

void AddressGrid::setColumnWidthTwips(int column, int twips)
{
    setColumnWidth(column, qRound(twips * logicalDpiX() / 1440.0));
}

void AddressGrid::setHighlightedCell(int row, int column)
{
    clearHighlight();
    m_highlighted = cellIndex(row, column);
    update(m_highlighted);
}

void AddressGrid::clearHighlight()
{
    const QModelIndex old = m_highlighted;
    m_highlighted = QPersistentModelIndex();
    if (old.isValid())
        update(old);
}

void AddressGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    Q_EMIT focusRegained();
}

bool AddressGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        QHeaderView *header = horizontalHeader();
        const int x = press->position().toPoint().x();
        const int column = header->logicalIndexAt(x);
        if (press->button() == Qt::LeftButton && column >= 0) {
            // The edges between sections are for resizing.
            const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
            const int left = header->sectionViewportPosition(column);
            const int right = left + header->sectionSize(column);
            if (x > left + grip && x < right - grip)
                Q_EMIT headerPressed(column);
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace ferrowen
