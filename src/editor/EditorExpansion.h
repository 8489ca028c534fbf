#pragma once

namespace ferrowen {

// The editor panel's two heights (twips), switched by the "expand" key.

// The panel stands this far below the top of the first pane, and is this
// tall as designed (the main window's layout places it so).
inline constexpr int EditorMarginAbovePanel = 950;
inline constexpr int DesignedEditorPanelHeight = 3030;

// Expanded: the first pane's height less the margin above the panel and
// 50 more.
int expandedEditorHeight(int firstPaneHeight, int margin);

// Contracted: the normal height; below 1500 the designed height instead;
// still below 1000, 2500.
int contractedEditorHeight(int normalHeight, int designedHeight);

} // namespace ferrowen
