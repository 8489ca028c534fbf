#pragma once

#include <QString>

namespace ferrowen {

struct SavedMessage;

// The longest file name, in bytes, the file systems the program runs on
// take.
inline constexpr int MaxFileNameBytes = 255;

// The name a saved message is stored under, ".htm" included. It carries
// what the message list shows, so a folder lists without opening a file:
//   incoming: from && subject (60) && date token && to (20)
//   sent copy: to (20) && subject (60) && date token && "sent message"
// (N): longer values are cut to N characters followed by "...". In the
// date token every ":" becomes "^" and every "/" becomes "#", so those
// survive the cleaning that follows: characters file systems refuse are
// dropped or turned into spaces, and the name is trimmed of spaces.
//
// A name longer than MaxFileNameBytes loses characters from the end of its
// first field, then of the subject (then of the date and the fourth field),
// until it fits; the three "&&" always stay, so it still lists.
QString messageFileName(const SavedMessage &message);

} // namespace ferrowen
