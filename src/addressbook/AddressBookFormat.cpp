#include "addressbook/AddressBookFormat.h"

namespace ferrowen {

AddressBookFormat addressBookFormatOf(const QString &path)
{
    const QString fileName = path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
    return fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ? AddressBookFormat::TabDelimited
                                                                          : AddressBookFormat::CommaSeparated;
}

} // namespace ferrowen
