#include "store/MessageNameFields.h"

namespace ferrowen {

namespace {

QString withoutLeadingSpaces(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start).toString();
}

} // namespace

std::optional<MessageNameFields> messageNameFields(const QString &fileName)
{
    const QStringView name = QStringView(fileName).chopped(qMin<qsizetype>(4, fileName.size()));
    const QLatin1String separator("&&");
    // Only the first four parts are needed: find three separators.
    qsizetype ends[3];
    qsizetype from = 0;
    for (qsizetype &end : ends) {
        end = name.indexOf(separator, from);
        if (end < 0)
            return std::nullopt;
        from = end + separator.size();
    }
    const qsizetype fourthEnd = name.indexOf(separator, from);
    MessageNameFields fields;
    fields.first = name.left(ends[0]).toString();
    fields.subject = withoutLeadingSpaces(name.mid(ends[0] + 2, ends[1] - ends[0] - 2));
    fields.dateText = withoutLeadingSpaces(name.mid(ends[1] + 2, ends[2] - ends[1] - 2))
                          .replace(QLatin1Char('^'), QLatin1Char(':'))
                          .replace(QLatin1Char('#'), QLatin1Char('/'));
    fields.fourth = withoutLeadingSpaces(fourthEnd < 0 ? name.mid(from) : name.mid(from, fourthEnd - from));
    return fields;
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
