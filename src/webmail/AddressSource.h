#pragma once

#include <QStringList>

#include <optional>

namespace ferrowen {

// Where the address insertion takes its addresses from: the address
// book's grid and the address palette.
class AddressSource
{
public:
    virtual ~AddressSource() = default;

    // The e-mail addresses of the grid's selected rows, top to bottom;
    // nothing when there is no book, no e-mail column or no selection.
    virtual std::optional<QStringList> selectedAddresses() = 0;
    // The address chosen in the palette; nothing when none is.
    virtual std::optional<QString> paletteAddress() = 0;
};

} // namespace ferrowen
