#include "platform/NameInFolder.h"

#include "platform/SaveFileLeftovers.h"

#include <algorithm>

namespace ferrowen {

bool staysInFolder(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

bool isReplaceableFileName(QStringView name)
{
    return staysInFolder(name) && name.toUtf8().size() <= MaxReplaceableFileNameBytes;
}

} // namespace ferrowen
