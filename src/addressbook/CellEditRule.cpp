#include "addressbook/CellEditRule.h"

#include <algorithm>

namespace ferrowen {

QString cellTextAfterEdit(const QString &before, const QString &edited)
{
    const qsizetype shorter = std::min(before.size(), edited.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const QStringView inserted = QStringView(edited).sliced(prefix, edited.size() - prefix - suffix);
    const auto cut = std::find_if(inserted.begin(), inserted.end(),
                                  [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\t'; });
    if (cut == inserted.end())
        return edited;
    return edited.left(prefix + (cut - inserted.begin())) + QStringView(edited).right(suffix);
}

} // namespace ferrowen
