#pragma once

#include "platform/SaveFileLeftovers.h"

#include <QString>

namespace ferrowen {

struct SavedMessage;

// The longest name of a saved message: one that can be replaced.
inline constexpr int MaxMessageFileNameBytes = MaxReplaceableFileNameBytes;

// The name a saved message is stored under, ".htm" included. It carries
// what the message list shows, so a folder lists without opening a file:
//   incoming: from && subject (60) && date token && to (20)
//   sent copy: to (20) && subject (60) && date token && "sent message"
// (N): longer values are cut to N characters followed by "...". In the
// date token every ":" becomes "^" and every "/" becomes "#", so those
// survive the cleaning that follows: characters file systems refuse are
// dropped or turned into spaces, and the name is trimmed of spaces. An "&"
// beside another "&" or beside a separator gets a word joiner (U+2060)
// between them, so the fields read back as written (see nameFieldText).
//
// A name longer than MaxMessageFileNameBytes loses characters from the end
// of its first field, then of the subject (then of the date and the fourth
// field), until it fits with a mark of the cut: "~" and eight hexadecimal
// digits of a digest of the whole name, so that messages whose names cut
// alike still differ. The three "&&" always stay, so it still lists.
QString messageFileName(const SavedMessage &message);

} // namespace ferrowen
