#include "editor/RgbString.h"

#include <QHash>
#include <QRegularExpression>

namespace ferrowen {

namespace {

quint32 colourNumber(quint32 red, quint32 green, quint32 blue)
{
    return (blue << 16) | (green << 8) | red;
}

std::optional<quint32> namedColour(const QString &name)
{
    static const QHash<QString, quint32> names = {
        {QStringLiteral("black"), 0x000000},   {QStringLiteral("silver"), 0xC0C0C0},
        {QStringLiteral("gray"), 0x808080},    {QStringLiteral("white"), 0xFFFFFF},
        {QStringLiteral("maroon"), 0x000080},  {QStringLiteral("red"), 0x0000FF},
        {QStringLiteral("purple"), 0x800080},  {QStringLiteral("fuchsia"), 0xFF00FF},
        {QStringLiteral("green"), 0x008000},   {QStringLiteral("lime"), 0x00FF00},
        {QStringLiteral("olive"), 0x008080},   {QStringLiteral("yellow"), 0x00FFFF},
        {QStringLiteral("navy"), 0x800000},    {QStringLiteral("blue"), 0xFF0000},
        {QStringLiteral("teal"), 0x808000},    {QStringLiteral("aqua"), 0xFFFF00},
    };
    const auto found = names.constFind(name.toLower());
    if (found == names.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace

QString FormatRGBString(quint32 colour)
{
    const QString hex = QStringLiteral("%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('#') + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

std::optional<quint32> RevFormatRGBString(const QString &text)
{
    const QString trimmed = text.trimmed();

    static const QRegularExpression hexForm(QStringLiteral("^#*([0-9A-Fa-f]{6}|[0-9A-Fa-f]{3})$"));
    if (const auto match = hexForm.match(trimmed); match.hasMatch()) {
        QString digits = match.captured(1);
        if (digits.size() == 3)
            digits = QString(digits.at(0)) + digits.at(0) + digits.at(1) + digits.at(1) + digits.at(2) + digits.at(2);
        return colourNumber(digits.mid(0, 2).toUInt(nullptr, 16), digits.mid(2, 2).toUInt(nullptr, 16),
                            digits.mid(4, 2).toUInt(nullptr, 16));
    }

    static const QRegularExpression rgbForm(
        QStringLiteral("^rgba?\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*(,[^)]*)?\\)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (const auto match = rgbForm.match(trimmed); match.hasMatch()) {
        const quint32 red = match.captured(1).toUInt();
        const quint32 green = match.captured(2).toUInt();
        const quint32 blue = match.captured(3).toUInt();
        if (red > 255 || green > 255 || blue > 255)
            return std::nullopt;
        return colourNumber(red, green, blue);
    }

    return namedColour(trimmed);
}

} // namespace ferrowen
