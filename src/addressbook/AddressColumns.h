#pragma once

#include "addressbook/AddressTable.h"

namespace ferrowen {

// Where the named columns of a freshly read book are, once placed.
struct AddressColumns
{
    int email = -1;     // EmailColumn
    int firstName = -1; // -1: the book has none
    int lastName = -1;
    // False when no column holds an address: the user is warned, and
    // column 0 serves as the e-mail column.
    bool addressesFound = true;
};

// Finds the first-name, last-name and e-mail columns of a book just read
// and moves them to the front (first name 0, last name 1, e-mail at most
// 2); the end column is never searched or moved.
//
// A column is named by the first header containing "first", "last", or
// "email" / "e-mail" (ignoring case). When several headers name an e-mail
// column and the first holds no address in any row while a later one
// does, the later one is taken: contact exports put an "E-mail 1 - Type"
// column before "E-mail 1 - Value". Without an e-mail header, the first
// cell holding an "@" and a "." (row by row, left to right) names it.
AddressColumns placeNamedColumns(AddressTable &table);

// The test for an address in a cell: an at sign and a full stop.
bool looksLikeAddress(QStringView cell);

} // namespace ferrowen
