#pragma once

#include <QString>

namespace ferrowen {

// The two file formats of an address book.
enum class AddressBookFormat {
    CommaSeparated, // every field quoted, separated by ","
    TabDelimited,   // fields separated by a TAB, no quoting
};

// A ".txt" file is tab-delimited, any other comma-separated. Only the
// file's own suffix counts: "friends.txt.csv" (what the new-book dialog
// makes of "friends.txt") is a comma-separated book like the template it
// was copied from.
AddressBookFormat addressBookFormatOf(const QString &path);

} // namespace ferrowen
