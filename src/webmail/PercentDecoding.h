#pragma once

#include <QByteArrayView>
#include <QString>

namespace ferrowen {

// Whether "+" stands for a blank, as in posted form data, or for itself, as
// in a mail link.
enum class PlusSign { Blank, Literal };

// The text of percent-encoded UTF-8 bytes. Several escapes may make one
// character; an escape that is not two hex digits is kept as written, and
// bytes that are not UTF-8 become U+FFFD.
QString PercentDecoded(QByteArrayView encoded, PlusSign plus);

} // namespace ferrowen
