#pragma once

#include <QByteArrayView>
#include <QString>

namespace ferrowen {

// Whether "+" stands for a blank, as in posted form data, or for itself, as
// in a mail link.
enum class PlusSign { Blank, Literal };

// The bytes behind percent escapes; an escape that is not two hex digits
// is kept as written.
QByteArray PercentDecodedBytes(QByteArrayView encoded, PlusSign plus);

// The text of percent-encoded UTF-8 bytes. Several escapes may make one
// character; bytes that are not UTF-8 become U+FFFD.
QString PercentDecoded(QByteArrayView encoded, PlusSign plus);

} // namespace ferrowen
