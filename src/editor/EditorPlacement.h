#pragma once

namespace ferrowen {

// Where the editor panel sits and how tall it is, in twips. With
// AutoPosition on, both follow the screen; otherwise the stored values are
// used as they are.
struct EditorPlacement
{
    bool AutoPosition = true;
    int EditorTop = 950;
    int EditorHeight = 3030;
};

// The editor panel placed for the screen: 950 and 3030 twips scaled by the
// screen's vertical twips per pixel, rounded half to even.
EditorPlacement editorPlacementForScreen(double twipsPerPixelY);

} // namespace ferrowen
