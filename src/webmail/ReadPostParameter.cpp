#include "webmail/ReadPostParameter.h"

#include "webmail/PercentDecoding.h"

namespace ferrowen {

QString ReadPostParameter(QByteArrayView data, QByteArrayView key)
{
    const qsizetype at = key.isEmpty() ? -1 : data.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype next = data.indexOf('&', start);
    const QByteArrayView raw = data.sliced(start, (next < 0 ? data.size() : next) - start);

    return PercentDecoded(raw, PlusSign::Blank);
}

} // namespace ferrowen
