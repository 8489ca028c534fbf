#pragma once

#include <QStringView>

namespace ferrowen {

// Orders texts as the message list and the folder listing do: without
// regard to case, otherwise by their characters. Quick on the common case
// of Latin letters, where folder listings spend their time.
int compareIgnoringCase(QStringView a, QStringView b);

inline bool lessIgnoringCase(QStringView a, QStringView b)
{
    return compareIgnoringCase(a, b) < 0;
}

} // namespace ferrowen
