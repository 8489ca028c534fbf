#include "editor/EditorPlacement.h"

#include <cmath>

namespace ferrowen {

namespace {

// The default rounding mode of nearbyint: an exact half goes to the even one.
int roundHalfToEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

EditorPlacement editorPlacementForScreen(double twipsPerPixelY)
{
    EditorPlacement placement;
    placement.AutoPosition = true;
    placement.EditorTop = roundHalfToEven(950.0 * twipsPerPixelY / 15.0);
    placement.EditorHeight = roundHalfToEven(3030.0 * twipsPerPixelY / 15.0);
    return placement;
}

} // namespace ferrowen
