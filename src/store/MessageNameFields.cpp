#include "store/MessageNameFields.h"

namespace ferrowen {

QString withoutLeadingSpaces(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start).toString();
}

QString nameFieldText(QStringView part)
{
    if (!part.contains(NameFieldJoiner))
        return part.toString();
    QString text;
    text.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        const bool besideAmpersand = (i > 0 && part[i - 1] == u'&') || (i + 1 < part.size() && part[i + 1] == u'&');
        if (part[i] != NameFieldJoiner || !besideAmpersand)
            text += part[i];
    }
    return text;
}

QString dateTextOfToken(QStringView dateToken)
{
    return withoutLeadingSpaces(dateToken).replace(QLatin1Char('^'), QLatin1Char(':')).replace(QLatin1Char('#'), QLatin1Char('/'));
}

std::optional<MessageNameParts> messageNameParts(QStringView fileName)
{
    const QStringView name = fileName.chopped(qMin<qsizetype>(4, fileName.size()));
    const QLatin1String separator("&&");
    qsizetype ends[4];
    qsizetype from = 0;
    for (qsizetype &end : ends) {
        end = name.indexOf(separator, from);
        if (end < 0)
            end = name.size();
        from = end + separator.size();
    }
    if (ends[2] == name.size())
        return std::nullopt;
    const auto part = [&name, &ends](int index) {
        const qsizetype start = index == 0 ? 0 : ends[index - 1] + 2;
        return name.mid(start, ends[index] - start);
    };
    return MessageNameParts{part(0), part(1), part(2), part(3)};
}

std::optional<MessageNameFields> messageNameFields(QStringView fileName)
{
    const std::optional<MessageNameParts> parts = messageNameParts(fileName);
    if (!parts)
        return std::nullopt;
    return MessageNameFields{nameFieldText(parts->first), withoutLeadingSpaces(nameFieldText(parts->subject)),
                             dateTextOfToken(nameFieldText(parts->dateToken)),
                             withoutLeadingSpaces(nameFieldText(parts->fourth))};
}

QString displaySubject(QString subject)
{
    for (const char *prefix : {"re ", "Re ", "RE "}) {
        const QLatin1String found(prefix);
        subject.replace(found, found.left(2) + QStringLiteral(": "));
    }
    return subject;
}

QString displayDate(const QString &dateText)
{
    const qsizetype colon = dateText.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return dateText;
    QString date = dateText.left(colon + 1);
    const qsizetype lastSpace = date.lastIndexOf(QLatin1Char(' '));
    if (lastSpace >= 0) {
        date.truncate(lastSpace);
        while (date.endsWith(QLatin1Char(' ')))
            date.chop(1);
    }
    return date;
}

} // namespace ferrowen
