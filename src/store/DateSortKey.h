#pragma once

#include <QString>

#include <optional>

namespace ferrowen {

// What the message list sorts its date column by: the number of days from
// 1 January 1950 to the message's date (5 December 2026 gives 28097), or,
// for a date text that cannot be read, that text itself.
struct DateSortKey
{
    std::optional<int> days;
    QString text; // when there are no days

    // As the list's key column shows it: the days as decimal text, or the text.
    QString toString() const;
};

// The key of a date as the list shows it (displayDate()). A weekday in
// front, up to the first ",", is dropped first; when what follows reads as
// no date, the whole display date is tried.
DateSortKey dateSortKey(const QString &displayDate);

// Orders two keys: days by their number (so 1970 comes before 2026, which
// as text it would not), every date before every text, texts without regard
// to case. Negative, zero or positive.
int compareDateSortKeys(const DateSortKey &a, const DateSortKey &b);

} // namespace ferrowen
