#pragma once

#include "webmail/WindowParts.h"

#include <QList>
#include <QRect>

#include <functional>

// The numbers of the main window's layout, in twips, as pure functions so
// they can be checked without building a window. "Window" here means the
// surface that holds the address pane, the splitter and the main area; its
// left edge is x = 0.
namespace ferrowen::layout {

// While the splitter bar is dragged it stays this far from both window edges.
inline constexpr int DragMargin = 500;
// Laying out keeps the address pane at least this wide, and the main area too.
inline constexpr int LayoutMargin = 750;
// Where showing the address pane always puts the splitter.
inline constexpr int ShownSplitter = 3480;

// Vertical rhythm of the tab strips and the pane rectangle.
inline constexpr int TabsTop = 60;
inline constexpr int PaneBelowTabsTop = 350;
inline constexpr int PaneInset = 50;
inline constexpr int PaneBottomMargin = 60;
inline constexpr int MainTabsGap = 140;

// The handle fills the gap between the main tab strip's left and the panes.
inline constexpr int SplitterHandleWidth = 50;

// Address pane: everything is inset from the pane's edges and stacks down
// from the top of the tab panes: toolbar, book name, the cell editor's row
// (LabelEdit, then TextEdit), and the grid, which ends level with the tab
// panes.
inline constexpr int AddressInset = 60;
inline constexpr int Toolbar2Below = 40;
inline constexpr int Toolbar2Height = 390;
inline constexpr int LabelBkNameBelow = 470;
inline constexpr int LabelBkNameHeight = 270;
inline constexpr int CellEditorBelow = 800;
inline constexpr int CellEditorHeight = 330;
inline constexpr int CellLabelMaxWidth = 2400;
inline constexpr int CellEditorGap = 60;
inline constexpr int GridBelow = CellEditorBelow + CellEditorHeight + CellEditorGap;
inline constexpr int CommandHideWidth = 420;
inline constexpr int CommandHideHeight = 270;
inline constexpr int CommandHideGap = 20;

inline constexpr int SpamEditorInset = 30;

// Editor panel: the editing control is this much shorter than its panel
// (room for the formatting bar) and this much narrower than the first pane.
inline constexpr int EditorBarHeight = 400;
inline constexpr int EditorNarrower = 10;
inline constexpr int EditorOverPaneOffset = 950;
inline constexpr int EditorCollapsedOffset = 100;
inline constexpr int DesignedEditorHeight = 3030;
// A short first pane shortens the panel down to the bar and a few lines.
inline constexpr int SmallestEditorHeight = 1500;

// p is the handle's left plus the mouse position; the bar stays DragMargin
// inside the window.
int clampSplitterWhileDragging(int p, int windowWidth);
// The correction SizeControls makes to the splitter position: only while the
// address pane is shown, first raised to LayoutMargin, then lowered to
// windowWidth - LayoutMargin (so a very narrow window wins over the minimum).
int clampSplitterOnLayout(int x, int windowWidth, bool paneShown);
// The splitter of an expanded address pane: the whole-number part of 0.85 x
// the window's inner width.
int expandedSplitter(int innerWidth);

// The four panels of the saved-message tab inside the pane rectangle.
struct SavedFolderRects
{
    QRect folders; // Picture2
    QRect buttons; // Picture3
    QRect list;    // ListMsg
    QRect preview; // WebBrowser2
};
// buttonsHeightFor gives the height the button row needs at a width (both
// in twips), when a narrow pane makes it wrap; it never gets less than its
// designed height.
SavedFolderRects layOutSavedFolders(const QRect &pane, const std::function<int(int)> &buttonsHeightFor = {});

// Every rectangle SizeControls and the resize handling place, in window
// twips, for one splitter position.
struct PaneRects
{
    int splitter = 0; // corrected as SizeControls corrects it
    QRect tabStrip1;
    QRect imgSplitter;
    QRect tabStrip2;
    QRect commandHide;
    QRect toolbar2;
    QRect labelBkName;
    QRect labelEdit;
    QRect textEdit;
    QRect grid;
    // WebBrowser1; WebBrowser3, WebBrowser4 and PictureSettings share it.
    QRect pane;
    SavedFolderRects saved;
    // TextSpam, relative to PictureSettings.
    QRect spamEditor;
};
PaneRects layOutPanes(int splitter, bool paneShown, int windowWidth, int windowHeight,
                      const std::function<int(int)> &savedButtonsHeightFor = {});

// The drag bar shown over the handle: same top and height, half as wide,
// at the (already clamped) left position.
QRect dragBar(const QRect &handle, int left);

// Where the editor panel goes; editorWidth is the editing control's width.
struct EditorPlacement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int editorWidth = 0;
    int height = 0;
};
// Over the upper part of the first pane ("Check &Unread"), as wide as the
// pane and wantedHeight tall while the pane has room below the panel's
// place; a shorter pane shortens the panel (down to SmallestEditorHeight),
// then moves it up, so that it never reaches past the pane's bottom.
EditorPlacement editorOverFirstPane(const QRect &firstPane, int wantedHeight);
// Collapsed to one twip at the first pane's top ("Use &Template >>", the
// editor's hide key): folded away, it keeps its height for coming back.
EditorPlacement editorCollapsed(const QRect &firstPane, int wantedHeight);
int editorControlHeight(int panelHeight);

// Whether a page's progress event shows the progress bar.
bool progressShown(int progress, int maximum);

// The panes of the main tabs, and which of them each tab shows.
enum class TabPane { WebBrowser1, WebBrowser2, WebBrowser3, WebBrowser4, ListMsg, Picture2, Picture3, PictureSettings };
QList<TabPane> panesShownOnTab(Tab tab);

} // namespace ferrowen::layout
