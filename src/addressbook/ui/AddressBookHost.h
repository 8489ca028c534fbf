#pragma once

#include <QtGlobal>

namespace ferrowen {

class MessageBoxes;

// What the address book pane needs from the rest of the program.
class AddressBookHost
{
public:
    virtual ~AddressBookHost() = default;

    // Inserts the selected addresses into a field of the webmail compose
    // form; code is one of the InsertField codes.
    virtual void insertIntoComposeForm(qint16 code) = 0;
    virtual MessageBoxes &messageBoxes() = 0;
};

} // namespace ferrowen
