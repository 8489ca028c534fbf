#pragma once

#include <QByteArrayView>
#include <QString>

namespace ferrowen {

// The value of one parameter of URL-encoded form data: the text after the
// first occurrence of `key` (such as "&Subj=", compared exactly) up to the
// next "&" or the end, decoded. Empty when the key is absent.
//
// "+" is a space; "%" and two hexadecimal digits is one byte, so "%2B" is a
// plus sign and "%25" a percent sign that is not decoded again. The bytes
// are read in the encoding the page posted its form in (`charset`, such as
// "UTF-8" or "windows-1252"; UTF-8 when the name is unknown), so a value
// comes back as it was typed. A "%" not followed by two hexadecimal digits
// stays as it stands.
QString ReadPostParameter(QByteArrayView data, QByteArrayView key, const QString &charset = QStringLiteral("UTF-8"));

} // namespace ferrowen
