#pragma once

#include <QByteArray>
#include <QString>

namespace ferrowen {

// The text of an address book file. Books from other programs come as
// UTF-8 (often with a byte-order mark), as UTF-16 with a byte-order mark,
// or in the Western Windows code page; the mark never becomes part of the
// text. Bytes that are not valid UTF-8 are read as windows-1252.
QString decodeAddressBookBytes(const QByteArray &bytes);

} // namespace ferrowen
