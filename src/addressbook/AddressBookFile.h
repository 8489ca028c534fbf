#pragma once

#include "addressbook/AddressTable.h"
#include "platform/Status.h"
#include "platform/StatusOr.h"

#include <QString>

namespace ferrowen {

// Reads the book at path (its format from its name, its text UTF-8 or
// windows-1252). The file is read whole before anything is built, so a
// failure leaves no half-read book behind.
StatusOr<AddressTable> readAddressBookFile(const QString &path);

// Writes the book to path in the format its name asks for, replacing the
// file only once the whole text is written: a failure or a killed program
// leaves the old file as it was. Old leftovers of killed writers beside
// the file are removed first.
Status writeAddressBookFile(const QString &path, const AddressTable &table);

} // namespace ferrowen
