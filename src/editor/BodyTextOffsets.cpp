#include "editor/BodyTextOffsets.h"

namespace ferrowen {

QString toCheckedText(const QString &bodyText)
{
    QString text = bodyText;
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

int bodyOffset(const QString &checkedText, int checkedOffset)
{
    const int end = qBound(0, checkedOffset, int(checkedText.size()));
    int breaks = 0;
    for (int i = 1; i < end; ++i) {
        if (checkedText.at(i) == QLatin1Char('\n') && checkedText.at(i - 1) == QLatin1Char('\r'))
            ++breaks;
    }
    return checkedOffset - breaks;
}

} // namespace ferrowen
