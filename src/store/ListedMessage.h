#pragma once

#include "store/DateSortKey.h"

#include <QString>

#include <optional>

namespace ferrowen {

// One row of the message list: a saved message known by its file name
// alone. The columns are read from the name when they are shown, so a
// folder of 100,000 messages costs little more than their names.
struct ListedMessage
{
    // The columns of the list, counted from 1 as the list counts them.
    enum Column {
        First = 1,   // sender (in the sent folder: recipient)
        Subject = 2, // the subject for display
        Fourth = 3,  // recipient (in the sent folder: "sent message")
        Date = 4,    // the date for display
        FileName = 5,
        DateKey = 6 // the date sort key
    };
    static constexpr int ColumnCount = 6;

    QString fileName;
    DateSortKey dateKey;

    // The row of a file name; none for a name of fewer than four parts.
    static std::optional<ListedMessage> fromFileName(const QString &fileName);

    // The text of a column; an empty text for a column that is not one.
    QString columnText(int column) const;
};

} // namespace ferrowen
