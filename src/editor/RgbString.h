#pragma once

#include <QString>

#include <optional>

namespace ferrowen {

// Colours as the editor's dialogs keep them: a colour number 0x00BBGGRR
// (red in the lowest byte) and the page's text form "#RRGGBB".

// "#RRGGBB" in upper-case hexadecimal: 255 (red) gives "#FF0000". Only the
// low 24 bits of the number count.
QString FormatRGBString(quint32 colour);

// The colour number of "#RRGGBB" (the "#" may be missing), of the short
// form "#RGB", of "rgb(r, g, b)" as the editor reports a colour, or of one
// of the sixteen basic colour names. Anything else has no colour.
std::optional<quint32> RevFormatRGBString(const QString &text);

} // namespace ferrowen
