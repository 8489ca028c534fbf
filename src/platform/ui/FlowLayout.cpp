#include "platform/ui/FlowLayout.h"

#include <QWidget>

namespace ferrowen {

FlowLayout::FlowLayout(QWidget *parent, int horizontalSpacing, int verticalSpacing)
    : QLayout(parent)
    , m_horizontalSpacing(horizontalSpacing)
    , m_verticalSpacing(verticalSpacing)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

int FlowLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QList<QLayoutItem *> FlowLayout::shownItems() const
{
    QList<QLayoutItem *> shown;
    for (QLayoutItem *item : m_items) {
        if (!item->isEmpty() && !item->sizeHint().isEmpty())
            shown.append(item);
    }
    return shown;
}

QSize FlowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    const QList<QLayoutItem *> items = shownItems();
    for (QLayoutItem *item : items) {
        width += item->sizeHint().width();
        height = qMax(height, item->sizeHint().height());
    }
    if (!items.isEmpty())
        width += m_horizontalSpacing * int(items.size() - 1);
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

QSize FlowLayout::minimumSize() const
{
    QSize widest;
    for (QLayoutItem *item : shownItems())
        widest = widest.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return widest + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const QList<QLayoutItem *> items = shownItems();

    // Split into rows first: centring needs each row's height.
    QList<QList<QLayoutItem *>> rows;
    int rowWidth = 0;
    for (QLayoutItem *item : items) {
        const int width = item->sizeHint().width();
        if (rows.isEmpty() || (rowWidth > 0 && rowWidth + m_horizontalSpacing + width > area.width())) {
            rows.append(QList<QLayoutItem *>());
            rowWidth = 0;
        }
        rowWidth += (rowWidth > 0 ? m_horizontalSpacing : 0) + width;
        rows.last().append(item);
    }

    int y = area.y();
    for (const QList<QLayoutItem *> &row : rows) {
        int rowHeight = 0;
        for (QLayoutItem *item : row)
            rowHeight = qMax(rowHeight, item->sizeHint().height());
        if (apply) {
            int x = area.x();
            for (QLayoutItem *item : row) {
                // An item wider than the whole area is narrowed to it, as far
                // as its minimum allows.
                const QSize hint = item->sizeHint();
                const int width = qMin(hint.width(), qMax(area.width(), item->minimumSize().width()));
                item->setGeometry(QRect(x, y + (rowHeight - hint.height()) / 2, width, hint.height()));
                x += width + m_horizontalSpacing;
            }
        }
        y += rowHeight + m_verticalSpacing;
    }
    if (!rows.isEmpty())
        y -= m_verticalSpacing;
    const QMargins m = contentsMargins();
    return y - area.y() + m.top() + m.bottom();
}

} // namespace ferrowen
