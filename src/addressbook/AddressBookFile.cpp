#include "addressbook/AddressBookFile.h"

#include "addressbook/AddressBookEncoding.h"
#include "addressbook/AddressBookFormat.h"
#include "addressbook/AddressBookReader.h"
#include "addressbook/AddressBookWriter.h"
#include "platform/SaveFileLeftovers.h"

#include <QFile>
#include <QSaveFile>

namespace ferrowen {

StatusOr<AddressTable> readAddressBookFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::failure(file.errorString());
    return readAddressBookText(decodeAddressBookBytes(bytes), addressBookFormatOf(path));
}

Status writeAddressBookFile(const QString &path, const AddressTable &table)
{
    removeStaleLeftoversOf(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(file.errorString());
    const QByteArray text = writeAddressBookText(table, addressBookFormatOf(path));
    if (file.write(text) != text.size() || !file.commit())
        return Status::failure(file.errorString());
    return Status::success();
}

} // namespace ferrowen
