#pragma once

#include "addressbook/AddressTable.h"

#include <optional>

namespace ferrowen {

// The first address row whose cell in `column` begins with `text`,
// ignoring case; nothing for an empty text or when no row matches.
std::optional<int> findAddressRow(const AddressTable &table, int column, QStringView text);

} // namespace ferrowen
