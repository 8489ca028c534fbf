#include "addressbook/SortMarker.h"

namespace ferrowen {

SortDirection SortMarker::click(int column)
{
    const bool reverse = column == m_column && m_direction == SortDirection::Ascending;
    m_direction = reverse ? SortDirection::Descending : SortDirection::Ascending;
    m_column = column;
    m_drawn = true;
    return m_direction;
}

void SortMarker::resetForNewBook()
{
    m_column = 0;
    m_drawn = false;
}

QString SortMarker::headerText(int column, const QString &name) const
{
    if (!m_drawn || column != m_column)
        return name;
    return (m_direction == SortDirection::Descending ? QLatin1String("v ") : QLatin1String("^ ")) + name;
}

} // namespace ferrowen
