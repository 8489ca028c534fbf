#include "webmail/ReadPostParameter.h"

#include "webmail/PercentDecoding.h"

#include <QStringDecoder>

namespace ferrowen {

QString ReadPostParameter(QByteArrayView data, QByteArrayView key, const QString &charset)
{
    const qsizetype at = key.isEmpty() ? -1 : data.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype next = data.indexOf('&', start);
    const QByteArrayView raw = data.sliced(start, (next < 0 ? data.size() : next) - start);

    QStringDecoder decoder(charset.toLatin1().constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    return decoder.decode(PercentDecodedBytes(raw, PlusSign::Blank));
}

} // namespace ferrowen
