#include "store/ListedMessage.h"

#include "store/MessageNameFields.h"

namespace ferrowen {

std::optional<ListedMessage> ListedMessage::fromFileName(const QString &fileName)
{
    const std::optional<MessageNameParts> parts = messageNameParts(fileName);
    if (!parts)
        return std::nullopt;
    return ListedMessage{fileName, dateSortKey(displayDate(dateTextOfToken(nameFieldText(parts->dateToken))))};
}

QString ListedMessage::columnText(int column) const
{
    if (column == FileName)
        return fileName;
    if (column == DateKey)
        return dateKey.toString();
    const std::optional<MessageNameParts> parts = messageNameParts(fileName);
    if (!parts)
        return QString();
    switch (column) {
    case First: return nameFieldText(parts->first);
    case Subject: return displaySubject(withoutLeadingSpaces(nameFieldText(parts->subject)));
    case Fourth: return withoutLeadingSpaces(nameFieldText(parts->fourth));
    case Date: return displayDate(dateTextOfToken(nameFieldText(parts->dateToken)));
    default: return QString();
    }
}

} // namespace ferrowen
