#pragma once

#include "platform/StatusOr.h"

#include <QDir>
#include <QString>

namespace ferrowen {

// What LabelBkName shows for the book at path: its file name followed by
// " Address Book:  ".
QString addressBookLabel(const QString &path);

// The file a new book named `typed` gets in the address book folder: the
// name without surrounding spaces, with ".csv" appended unless it already
// ends so (ignoring case). A name that could leave the folder
// (staysInFolder) is refused; so is one too long to leave room for the
// temporary file that replaces it.
StatusOr<QString> newAddressBookPath(const QDir &folder, const QString &typed);

} // namespace ferrowen
