#include "app/LayoutRules.h"

#include <QtGlobal>

namespace ferrowen::layout {

namespace {

// Folder column of the saved-message tab, the button row above the list and
// the list's share of the height left under the buttons (percent).
constexpr int FoldersMaxWidth = 2400;
constexpr int SavedGap = 60;
constexpr int SavedButtonsHeight = 420;
constexpr int SavedListPercent = 40;

QRect rect(int left, int top, int width, int height)
{
    return QRect(left, top, width, height);
}

} // namespace

int clampSplitterWhileDragging(int p, int windowWidth)
{
    if (p < DragMargin)
        return DragMargin;
    if (p > windowWidth - DragMargin)
        return windowWidth - DragMargin;
    return p;
}

int clampSplitterOnLayout(int x, int windowWidth, bool paneShown)
{
    if (!paneShown)
        return x;
    if (x < LayoutMargin)
        x = LayoutMargin;
    if (x > windowWidth - LayoutMargin)
        x = windowWidth - LayoutMargin;
    return x;
}

int expandedSplitter(int innerWidth)
{
    // In whole numbers: 0.85 has no exact binary form, and a product just
    // under a whole number must not lose one twip.
    return static_cast<int>(static_cast<qint64>(innerWidth) * 85 / 100);
}

SavedFolderRects layOutSavedFolders(const QRect &pane, const std::function<int(int)> &buttonsHeightFor)
{
    SavedFolderRects r;
    const int foldersWidth = qMin(FoldersMaxWidth, pane.width() / 3);
    r.folders = rect(pane.x(), pane.y(), foldersWidth, pane.height());

    const int rightLeft = pane.x() + foldersWidth + SavedGap;
    const int rightWidth = pane.width() - foldersWidth - SavedGap;
    const int buttonsHeight =
        qMax(SavedButtonsHeight, buttonsHeightFor ? buttonsHeightFor(rightWidth) : SavedButtonsHeight);
    r.buttons = rect(rightLeft, pane.y(), rightWidth, buttonsHeight);

    const int belowButtons = pane.y() + buttonsHeight + SavedGap;
    const int restHeight = pane.height() - buttonsHeight - SavedGap;
    const int listHeight = restHeight * SavedListPercent / 100;
    r.list = rect(rightLeft, belowButtons, rightWidth, listHeight);
    r.preview = rect(rightLeft, belowButtons + listHeight + SavedGap, rightWidth, restHeight - listHeight - SavedGap);
    return r;
}

PaneRects layOutPanes(int splitter, bool paneShown, int windowWidth, int windowHeight,
                      const std::function<int(int)> &savedButtonsHeightFor)
{
    PaneRects r;
    const int x = clampSplitterOnLayout(splitter, windowWidth, paneShown);
    r.splitter = x;

    const int tabsHeight = windowHeight - TabsTop - (PaneBottomMargin - PaneInset);
    const int paneTop = TabsTop + PaneBelowTabsTop;
    const int paneHeight = windowHeight - paneTop - PaneBottomMargin;

    r.tabStrip1 = rect(0, TabsTop, x, tabsHeight);
    r.imgSplitter = rect(x, paneTop, SplitterHandleWidth, paneHeight);
    r.tabStrip2 = rect(x, TabsTop, windowWidth - (r.tabStrip1.width() + MainTabsGap), tabsHeight);
    r.commandHide = rect(x - CommandHideWidth - CommandHideGap, TabsTop + (PaneBelowTabsTop - CommandHideHeight) / 2,
                         CommandHideWidth, CommandHideHeight);

    r.pane = rect(r.tabStrip2.x() + PaneInset, paneTop, r.tabStrip2.width() - 2 * PaneInset, paneHeight);
    r.saved = layOutSavedFolders(r.pane, savedButtonsHeightFor);
    r.spamEditor = rect(SpamEditorInset, SpamEditorInset, r.pane.width() - 2 * SpamEditorInset,
                        r.pane.height() - 2 * SpamEditorInset);

    const int innerWidth = x - 2 * AddressInset;
    r.toolbar2 = rect(AddressInset, paneTop + Toolbar2Below, innerWidth, Toolbar2Height);
    r.labelBkName = rect(AddressInset, paneTop + LabelBkNameBelow, innerWidth, LabelBkNameHeight);
    const int labelWidth = qMin(CellLabelMaxWidth, innerWidth / 3);
    r.labelEdit = rect(AddressInset, paneTop + CellEditorBelow, labelWidth, CellEditorHeight);
    r.textEdit = rect(AddressInset + labelWidth + CellEditorGap, paneTop + CellEditorBelow,
                      innerWidth - labelWidth - CellEditorGap, CellEditorHeight);
    r.grid = rect(AddressInset, paneTop + GridBelow, innerWidth, paneHeight - GridBelow);
    return r;
}

QRect dragBar(const QRect &handle, int left)
{
    return rect(left, handle.y(), handle.width() / 2, handle.height());
}

EditorPlacement editorOverFirstPane(const QRect &firstPane, int wantedHeight)
{
    const int paneBottom = firstPane.y() + firstPane.height();
    int top = firstPane.y() + EditorOverPaneOffset;
    int height = qMin(wantedHeight, qMax(paneBottom - top, SmallestEditorHeight));
    if (top + height > paneBottom)
        top = qMax(firstPane.y(), paneBottom - height);
    height = qMax(0, qMin(height, paneBottom - top));
    return {firstPane.x(), top, firstPane.width(), firstPane.width() - EditorNarrower, height};
}

EditorPlacement editorCollapsed(const QRect &firstPane, int wantedHeight)
{
    return {firstPane.x(), firstPane.y() + EditorCollapsedOffset, 1, firstPane.width() - EditorNarrower, wantedHeight};
}

int editorControlHeight(int panelHeight)
{
    return panelHeight - EditorBarHeight;
}

bool progressShown(int progress, int maximum)
{
    return progress >= 1 && progress < maximum;
}

QList<TabPane> panesShownOnTab(Tab tab)
{
    switch (tab) {
    case Tab::InboxLogin:
        return {TabPane::WebBrowser1};
    case Tab::Compose:
        return {TabPane::WebBrowser3};
    case Tab::SavedFolders:
        return {TabPane::WebBrowser2, TabPane::ListMsg, TabPane::Picture2, TabPane::Picture3};
    case Tab::Calendar:
        return {TabPane::WebBrowser4};
    case Tab::Settings:
        return {TabPane::PictureSettings};
    }
    return {};
}

} // namespace ferrowen::layout
