#pragma once

#include "addressbook/AddressBookFormat.h"
#include "addressbook/AddressTable.h"

#include <QStringView>

namespace ferrowen {

// Builds the table of a book from its text: the first line names the
// columns, every further line (an empty one too) is one address.
//
// A header line that ends with an empty field has the layout this program
// writes: that field is the end column. Any other header line comes from
// elsewhere: all its columns stay visible and the table gets an empty end
// column of its own. A line with more fields than the header gets
// unnamed columns, so no field is cut off.
//
// Tab-delimited lines are taken as they are, quotes included. Lines end
// with CR LF, LF or CR.
AddressTable readAddressBookText(QStringView text, AddressBookFormat format);

} // namespace ferrowen
