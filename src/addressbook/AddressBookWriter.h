#pragma once

#include "addressbook/AddressBookFormat.h"
#include "addressbook/AddressTable.h"

#include <QByteArray>

namespace ferrowen {

// The text of a book as this program writes it, in UTF-8: the header line,
// then one line per row, each with one field per column (the end column's
// included) and ended by CR LF. Comma-separated: every field in double
// quotes, a quote inside doubled. Tab-delimited: the fields as they are,
// separated by TABs.
QByteArray writeAddressBookText(const AddressTable &table, AddressBookFormat format);

} // namespace ferrowen
