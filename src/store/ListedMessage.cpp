#include "store/ListedMessage.h"

#include "store/MessageNameFields.h"

namespace ferrowen {

std::optional<ListedMessage> ListedMessage::fromFileName(const QString &fileName)
{
    const std::optional<MessageNameFields> fields = messageNameFields(fileName);
    if (!fields)
        return std::nullopt;
    return ListedMessage{fileName, dateSortKey(displayDate(fields->dateText))};
}

QString ListedMessage::columnText(int column) const
{
    if (column == FileName)
        return fileName;
    if (column == DateKey)
        return dateKey.toString();
    const std::optional<MessageNameFields> fields = messageNameFields(fileName);
    if (!fields)
        return QString();
    switch (column) {
    case First: return fields->first;
    case Subject: return displaySubject(fields->subject);
    case Fourth: return fields->fourth;
    case Date: return displayDate(fields->dateText);
    default: return QString();
    }
}

} // namespace ferrowen
