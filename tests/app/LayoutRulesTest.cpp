#include "app/LayoutRules.h"

#include <gtest/gtest.h>

using namespace ferrowen::layout;

namespace {

TEST(LayoutRules, splitterClamps_keepTheBarInsideTheWindow)
{
    const struct
    {
        int position;
        int windowWidth;
        int whileDragging;
        int onLayout; // with the address pane shown
    } rows[] = {
        {200, 15000, 500, 750},     {-300, 15000, 500, 750},    {499, 15000, 500, 750},
        {501, 15000, 501, 750},     {749, 15000, 749, 750},     {750, 15000, 750, 750},
        {3480, 15000, 3480, 3480},  {14250, 15000, 14250, 14250}, {14251, 15000, 14251, 14250},
        {14499, 15000, 14499, 14250}, {14501, 15000, 14500, 14250},
        // Narrower than both margins: dragging tests the left one first,
        // laying out applies the right one last.
        {400, 800, 500, 50},        {600, 800, 300, 50},
    };
    for (const auto &c : rows) {
        SCOPED_TRACE(::testing::Message() << c.position << " in " << c.windowWidth);
        EXPECT_EQ(clampSplitterWhileDragging(c.position, c.windowWidth), c.whileDragging);
        EXPECT_EQ(clampSplitterOnLayout(c.position, c.windowWidth, true), c.onLayout);
        // A hidden address pane leaves the position alone.
        EXPECT_EQ(clampSplitterOnLayout(c.position, c.windowWidth, false), c.position);
    }
}

TEST(LayoutRules, expandedSplitter_isTheWholeNumberPartOf85Percent)
{
    const std::pair<int, int> cases[] = {{0, 0},         {19, 16},       {1001, 850},
                                         {18015, 15312}, {15000, 12750}, {2000000000, 1700000000}};
    for (const auto &[innerWidth, expected] : cases)
        EXPECT_EQ(expandedSplitter(innerWidth), expected) << innerWidth;
}

TEST(LayoutRules, shownPane_placesEveryControlAroundTheSplitter)
{
    const PaneRects r = layOutPanes(3480, true, 15000, 9000);
    EXPECT_EQ(r.splitter, 3480);
    EXPECT_EQ(r.tabStrip1, QRect(0, 60, 3480, 8930));
    EXPECT_EQ(r.imgSplitter, QRect(3480, 410, 50, 8530));
    EXPECT_EQ(r.tabStrip2, QRect(3480, 60, 11380, 8930));
    EXPECT_EQ(r.commandHide, QRect(3040, 100, 420, 270));
    EXPECT_EQ(r.pane, QRect(3530, 410, 11280, 8530));
    // Toolbar, book name, cell editor and grid stack down the address pane;
    // the grid ends level with the tab panes.
    EXPECT_EQ(r.toolbar2, QRect(60, 450, 3360, 390));
    EXPECT_EQ(r.labelBkName, QRect(60, 880, 3360, 270));
    EXPECT_EQ(r.labelEdit, QRect(60, 1210, 1120, 330));
    EXPECT_EQ(r.textEdit, QRect(1240, 1210, 2180, 330));
    EXPECT_EQ(r.grid, QRect(60, 1600, 3360, 7340));
    EXPECT_EQ(r.spamEditor, QRect(30, 30, 11220, 8470));

    // With the address pane hidden the main area starts at the left edge.
    EXPECT_EQ(layOutPanes(0, false, 15000, 9000).pane, QRect(50, 410, 14760, 8530));
    // The splitter is corrected as SizeControls corrects it.
    EXPECT_EQ(layOutPanes(14800, true, 15000, 9000).tabStrip2.x(), 14250);
}

TEST(LayoutRules, savedFolderPanels_shareThePaneWithoutOverlapping)
{
    const QRect pane(3530, 410, 11280, 8530);
    const SavedFolderRects r = layOutSavedFolders(pane);
    const QRect all[] = {r.folders, r.buttons, r.list, r.preview};
    for (const QRect &a : all) {
        EXPECT_TRUE(pane.contains(a)) << a.x() << "," << a.y() << " " << a.width() << "x" << a.height();
        EXPECT_FALSE(a.isEmpty());
        for (const QRect &b : all)
            EXPECT_TRUE(&a == &b || !a.intersects(b));
    }
    // The folder column, at most 2400 wide, runs the pane's full height; the
    // preview reaches its bottom.
    EXPECT_EQ(r.folders, QRect(pane.x(), pane.y(), 2400, pane.height()));
    EXPECT_EQ(r.preview.bottom(), pane.bottom());
}

TEST(LayoutRules, editorPanel_followsTheFirstPaneAndStaysInsideIt)
{
    const struct
    {
        const char *name;
        QRect pane;
        int wanted;
        QRect expected; // the panel
    } cases[] = {
        {"room enough", QRect(50, 410, 14000, 8000), 3030, QRect(50, 1360, 14000, 3030)},
        {"expanded to the pane", QRect(50, 410, 14000, 8000), 8000 - 950 - 50, QRect(50, 1360, 14000, 7000)},
        {"a shorter pane shortens it", QRect(50, 410, 9000, 3500), 3030, QRect(50, 1360, 9000, 2550)},
        {"down to its smallest, then moved up", QRect(50, 410, 9000, 2000), 3030, QRect(50, 910, 9000, 1500)},
        {"never above the pane", QRect(50, 410, 9000, 1000), 3030, QRect(50, 410, 9000, 1000)},
    };
    for (const auto &c : cases) {
        const EditorPlacement p = editorOverFirstPane(c.pane, c.wanted);
        EXPECT_EQ(QRect(p.left, p.top, p.width, p.height), c.expected) << c.name;
        EXPECT_EQ(p.editorWidth, c.pane.width() - 10) << c.name;
        EXPECT_TRUE(c.pane.contains(QRect(p.left, p.top, p.width, p.height))) << c.name;
    }
    // Folded away it keeps the height it comes back with.
    const EditorPlacement folded = editorCollapsed(QRect(50, 410, 9000, 1000), 3030);
    EXPECT_EQ(QRect(folded.left, folded.top, folded.width, folded.height), QRect(50, 510, 1, 3030));
}

TEST(LayoutRules, dragBar_isHalfTheHandleAtTheGivenLeft)
{
    EXPECT_EQ(dragBar(QRect(3480, 410, 50, 8000), 500), QRect(500, 410, 25, 8000));
}

TEST(LayoutRules, progressShows_onlyBetweenOneAndTheMaximum)
{
    const std::tuple<int, int, bool> cases[] = {{0, 100, false},   {1, 100, true},    {99, 100, true},
                                                {100, 100, false}, {150, 100, false}, {-1, 100, false},
                                                {1, 1, false}};
    for (const auto &[progress, maximum, shown] : cases)
        EXPECT_EQ(progressShown(progress, maximum), shown) << progress << "/" << maximum;
}

} // namespace
