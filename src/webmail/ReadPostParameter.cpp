#include "webmail/ReadPostParameter.h"

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

QString ReadPostParameter(QByteArrayView data, QByteArrayView key)
{
    const qsizetype at = key.isEmpty() ? -1 : data.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype next = data.indexOf('&', start);
    const QByteArrayView raw = data.sliced(start, (next < 0 ? data.size() : next) - start);

    // The bytes are gathered first: one character can take several escapes.
    QByteArray bytes;
    bytes.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%' && i + 2 < raw.size()) {
            const int high = hexDigit(raw[i + 1]);
            const int low = hexDigit(raw[i + 2]);
            if (high < 0 || low < 0) {
                bytes += c;
                continue;
            }
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += c;
        }
    }
    return QString::fromUtf8(bytes);
}

} // namespace ferrowen
