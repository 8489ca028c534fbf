#pragma once

#include <QString>

namespace ferrowen {

// The text a cell takes when the user changes the cell editor's text from
// `before` to `edited`: a cell holds no TAB and gains no line break from
// typing or pasting, so what was inserted is cut at its first CR, LF or
// TAB. Line breaks the cell already held (a quoted field of an imported
// book) stay, as does the text after the insertion.
QString cellTextAfterEdit(const QString &before, const QString &edited);

} // namespace ferrowen
