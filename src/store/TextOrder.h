#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace ferrowen {

// Orders texts as the message list and the folder listing do: without
// regard to case, otherwise by their characters. Quick on the common case
// of Latin letters, where folder listings spend their time.
int compareIgnoringCase(QStringView a, QStringView b);

inline bool lessIgnoringCase(QStringView a, QStringView b)
{
    return compareIgnoringCase(a, b) < 0;
}

// The positions of `texts` in that order (texts[order[0]] first); equal
// texts keep their order, and `descending` turns the order round.
std::vector<int> orderIgnoringCase(const QStringList &texts, bool descending = false);

} // namespace ferrowen
