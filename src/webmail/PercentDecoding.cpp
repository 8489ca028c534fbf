#include "webmail/PercentDecoding.h"

#include <QByteArray>

namespace ferrowen {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArray PercentDecodedBytes(QByteArrayView encoded, PlusSign plus)
{
    // The bytes are gathered first: one character can take several escapes.
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+' && plus == PlusSign::Blank) {
            bytes += ' ';
            continue;
        }
        if (c == '%' && i + 2 < encoded.size()) {
            const int high = hexDigit(encoded[i + 1]);
            const int low = hexDigit(encoded[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes += char(high * 16 + low);
                i += 2;
                continue;
            }
        }
        bytes += c;
    }
    return bytes;
}

QString PercentDecoded(QByteArrayView encoded, PlusSign plus)
{
    return QString::fromUtf8(PercentDecodedBytes(encoded, plus));
}

} // namespace ferrowen
