#pragma once

#include <QString>

namespace ferrowen {

// A width or height as a dialog holds it: whether its box is ticked, the
// number typed, and whether it counts in percent or in pixels.
struct SizeSetting
{
    bool set = false;
    QString value;
    bool percent = false;
};

} // namespace ferrowen
