#pragma once

#include <QString>

#include <optional>

namespace ferrowen {

// A width or height as a dialog holds it: whether its box is ticked, the
// number typed, and whether it counts in percent or in pixels.
struct SizeSetting
{
    bool set = false;
    QString value;
    bool percent = false;
};

// The attribute value OK writes for a size: empty to take it out (the box
// unticked), the number with "%" in percent (above 100 written as 100);
// nothing when the box holds no number that is 0 or more.
std::optional<QString> sizeAttributeValue(const SizeSetting &size);

// The two say the same size (the number compared as typed, blanks aside).
bool sameSize(const SizeSetting &a, const SizeSetting &b);

// What OK does with a size against the one the dialog opened with: a size
// the user left alone stays as it stands in the tag, even one the dialog
// could not write ("50px"); a changed one is written, or refused.
struct SizeChange
{
    bool refused = false;
    std::optional<QString> value; // none: leave the attribute alone
};
SizeChange sizeChange(const SizeSetting &chosen, const SizeSetting &loaded);

} // namespace ferrowen
