#include "addressbook/AddressBookEncoding.h"

#include <QStringDecoder>

#include <optional>

namespace ferrowen {

namespace {

// windows-1252 differs from Latin-1 only in 0x80 to 0x9F; its five unused
// codes keep their Latin-1 (control) meaning, so no byte is lost.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = QChar(code >= 0x80 && code < 0xA0 ? Windows1252High[code - 0x80] : char16_t(code));
    }
    return text;
}

std::optional<QString> fromStrictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodeWith(QStringConverter::Encoding encoding, const QByteArray &bytes, qsizetype markLength)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes).sliced(markLength));
}

} // namespace

QString decodeAddressBookBytes(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringConverter::Utf8, bytes, 3);
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, bytes, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, bytes, 2);
    if (std::optional<QString> text = fromStrictUtf8(bytes))
        return *std::move(text);
    return fromWindows1252(bytes);
}

} // namespace ferrowen
