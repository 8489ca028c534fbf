#pragma once

#include <QString>
#include <QtGlobal>

namespace ferrowen {

class FileDialogs;
class MessageBoxes;

// What the address book pane needs from the rest of the program.
class AddressBookHost
{
public:
    virtual ~AddressBookHost() = default;

    // Inserts the selected addresses into a field of the webmail compose
    // form; code is one of the InsertField codes.
    virtual void insertIntoComposeForm(qint16 code) = 0;
    // MainDir as the settings file holds it; the books live in its
    // "addrbooks\" folder, the new-book template is its "blank.dat".
    virtual QString mainDir() const = 0;
    virtual MessageBoxes &messageBoxes() = 0;
    virtual FileDialogs &fileDialogs() = 0;
};

} // namespace ferrowen
