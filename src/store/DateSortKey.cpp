#include "store/DateSortKey.h"

#include "store/MessageDate.h"
#include "store/TextOrder.h"

namespace ferrowen {

namespace {

const QDate DayZero(1950, 1, 1);

} // namespace

QString DateSortKey::toString() const
{
    return days ? QString::number(*days) : text;
}

DateSortKey dateSortKey(const QString &displayDate)
{
    QStringView text(displayDate);
    if (const qsizetype comma = text.indexOf(QLatin1Char(',')); comma >= 0)
        text = text.mid(comma + 1).trimmed();
    std::optional<QDate> date = parseMessageDate(text);
    if (!date && text.size() != displayDate.size())
        date = parseMessageDate(displayDate);
    if (!date)
        return {std::nullopt, displayDate};
    return {int(DayZero.daysTo(*date)), QString()};
}

int compareDateSortKeys(const DateSortKey &a, const DateSortKey &b)
{
    if (a.days && b.days)
        return *a.days < *b.days ? -1 : (*a.days > *b.days ? 1 : 0);
    if (a.days.has_value() != b.days.has_value())
        return a.days ? -1 : 1;
    return compareIgnoringCase(a.text, b.text);
}

} // namespace ferrowen
