#include "editor/SizeSetting.h"

#include <QLocale>
#include <QRegularExpression>

namespace ferrowen {

std::optional<QString> sizeAttributeValue(const SizeSetting &size)
{
    if (!size.set)
        return QString();
    static const QRegularExpression decimal(QStringLiteral("\\A(\\d+(\\.\\d*)?|\\.\\d+)\\z"));
    const QString text = size.value.trimmed();
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    if (!size.percent)
        return text;
    return (QLocale::c().toDouble(text) > 100 ? QStringLiteral("100") : text) + QLatin1Char('%');
}

bool sameSize(const SizeSetting &a, const SizeSetting &b)
{
    if (a.set != b.set)
        return false;
    return !a.set || (a.value.trimmed() == b.value.trimmed() && a.percent == b.percent);
}

SizeChange sizeChange(const SizeSetting &chosen, const SizeSetting &loaded)
{
    if (sameSize(chosen, loaded))
        return {};
    const auto value = sizeAttributeValue(chosen);
    if (!value)
        return {true, std::nullopt};
    return {false, *value};
}

} // namespace ferrowen
