#include "app/LayoutRules.h"

#include <gtest/gtest.h>

using namespace ferrowen::layout;

namespace {

struct ClampCase
{
    int position;
    int windowWidth;
    int expected;
};

class DragClampTest : public ::testing::TestWithParam<ClampCase>
{
};

TEST_P(DragClampTest, barStaysInsideTheWindow)
{
    const ClampCase c = GetParam();
    EXPECT_EQ(clampSplitterWhileDragging(c.position, c.windowWidth), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, DragClampTest,
                         ::testing::Values(ClampCase{200, 15000, 500}, ClampCase{499, 15000, 500},
                                           ClampCase{500, 15000, 500}, ClampCase{501, 15000, 501},
                                           ClampCase{7000, 15000, 7000}, ClampCase{14500, 15000, 14500},
                                           ClampCase{14501, 15000, 14500}, ClampCase{-300, 15000, 500},
                                           // A window narrower than both margins: the left one is tested first.
                                           ClampCase{200, 800, 500}, ClampCase{600, 800, 300}));

struct LayoutClampCase
{
    int position;
    int windowWidth;
    bool paneShown;
    int expected;
};

class LayoutClampTest : public ::testing::TestWithParam<LayoutClampCase>
{
};

TEST_P(LayoutClampTest, correctsOnlyWhileThePaneIsShown)
{
    const LayoutClampCase c = GetParam();
    EXPECT_EQ(clampSplitterOnLayout(c.position, c.windowWidth, c.paneShown), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, LayoutClampTest,
                         ::testing::Values(LayoutClampCase{200, 15000, true, 750}, LayoutClampCase{749, 15000, true, 750},
                                           LayoutClampCase{750, 15000, true, 750},
                                           LayoutClampCase{3480, 15000, true, 3480},
                                           LayoutClampCase{14250, 15000, true, 14250},
                                           LayoutClampCase{14251, 15000, true, 14250},
                                           LayoutClampCase{0, 15000, false, 0},
                                           LayoutClampCase{200, 15000, false, 200},
                                           LayoutClampCase{14900, 15000, false, 14900},
                                           // Too narrow for both margins: the upper limit is applied last and wins.
                                           LayoutClampCase{200, 1000, true, 250}));

TEST(LayoutRules, splitterDraggedTo200_stopsAt500_andIsLaidOutAt750)
{
    const int windowWidth = 15000;
    const int bar = clampSplitterWhileDragging(200, windowWidth);
    EXPECT_EQ(bar, 500);
    EXPECT_EQ(clampSplitterOnLayout(bar, windowWidth, true), 750);
}

struct ExpandCase
{
    int innerWidth;
    int expected;
};

class ExpandTest : public ::testing::TestWithParam<ExpandCase>
{
};

TEST_P(ExpandTest, takesTheWholeNumberPartOf85Percent)
{
    EXPECT_EQ(expandedSplitter(GetParam().innerWidth), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, ExpandTest,
                         ::testing::Values(ExpandCase{0, 0}, ExpandCase{19, 16}, ExpandCase{1001, 850},
                                           ExpandCase{2000, 1700}, ExpandCase{15000, 12750},
                                           ExpandCase{18015, 15312}, ExpandCase{2000000000, 1700000000}));

TEST(LayoutRules, shownPane_mainAreaStartsAtTheSplitter)
{
    const PaneRects r = layOutPanes(3480, true, 15000, 9000);
    EXPECT_EQ(r.splitter, 3480);
    EXPECT_EQ(r.tabStrip1.x(), 0);
    EXPECT_EQ(r.tabStrip1.width(), 3480);
    EXPECT_EQ(r.imgSplitter.x(), 3480);
    EXPECT_EQ(r.tabStrip2.x(), 3480);
    EXPECT_EQ(r.tabStrip2.width(), 15000 - (3480 + 140));
    EXPECT_EQ(r.commandHide.x(), 3480 - r.commandHide.width() - 20);

    EXPECT_EQ(r.pane.x(), 3480 + 50);
    EXPECT_EQ(r.pane.width(), r.tabStrip2.width() - 100);
    EXPECT_EQ(r.pane.y(), r.tabStrip2.y() + 350);
    EXPECT_EQ(r.pane.y() + r.pane.height(), 9000 - PaneBottomMargin);

    // The grid is 800 shorter than the panes and ends level with them,
    // inside the address pane.
    EXPECT_EQ(r.grid.height(), r.pane.height() - 800);
    EXPECT_EQ(r.grid.y() + r.grid.height(), r.pane.y() + r.pane.height());
    EXPECT_GE(r.grid.x(), r.tabStrip1.x());
    EXPECT_LE(r.grid.x() + r.grid.width(), r.tabStrip1.x() + r.tabStrip1.width());
    EXPECT_LT(r.toolbar2.y() + r.toolbar2.height(), r.labelBkName.y() + 1);
    EXPECT_LT(r.labelBkName.y() + r.labelBkName.height(), r.grid.y() + 1);

    EXPECT_EQ(r.spamEditor, QRect(30, 30, r.pane.width() - 60, r.pane.height() - 60));
}

TEST(LayoutRules, hiddenPane_mainAreaStartsAtTheLeftEdge)
{
    const PaneRects r = layOutPanes(0, false, 15000, 9000);
    EXPECT_EQ(r.splitter, 0);
    EXPECT_EQ(r.tabStrip2.x(), 0);
    EXPECT_EQ(r.tabStrip2.width(), 15000 - 140);
    EXPECT_EQ(r.pane.x(), 50);
    EXPECT_EQ(r.pane.width(), 15000 - 140 - 100);
}

TEST(LayoutRules, layOutPanes_correctsTheSplitterLikeSizeControls)
{
    EXPECT_EQ(layOutPanes(100, true, 15000, 9000).splitter, 750);
    EXPECT_EQ(layOutPanes(100, true, 15000, 9000).tabStrip2.x(), 750);
    EXPECT_EQ(layOutPanes(14800, true, 15000, 9000).splitter, 14250);
}

TEST(LayoutRules, savedFolderPanels_shareThePaneWithoutOverlapping)
{
    const QRect pane(3530, 410, 11280, 8530);
    const SavedFolderRects r = layOutSavedFolders(pane);
    const QRect all[] = {r.folders, r.buttons, r.list, r.preview};
    for (const QRect &a : all) {
        EXPECT_TRUE(pane.contains(a)) << a.x() << "," << a.y() << " " << a.width() << "x" << a.height();
        EXPECT_GT(a.width(), 0);
        EXPECT_GT(a.height(), 0);
        for (const QRect &b : all) {
            if (&a != &b) {
                EXPECT_FALSE(a.intersects(b));
            }
        }
    }
    // The folder column runs the pane's full height; the preview reaches its bottom.
    EXPECT_EQ(r.folders.height(), pane.height());
    EXPECT_EQ(r.preview.y() + r.preview.height(), pane.y() + pane.height());
}

TEST(LayoutRules, dragBar_isHalfTheHandleAtTheGivenLeft)
{
    const QRect handle(3480, 410, 50, 8000);
    EXPECT_EQ(dragBar(handle, 500), QRect(500, 410, 25, 8000));
}

TEST(LayoutRules, editorPlacements_followTheFirstPane)
{
    const QRect pane(3530, 410, 11280, 8530);
    const EditorPlacement over = editorOverFirstPane(pane);
    EXPECT_EQ(over.left, 3530);
    EXPECT_EQ(over.top, 410 + 950);
    EXPECT_EQ(over.width, 11280);
    EXPECT_EQ(over.editorWidth, 11270);

    const EditorPlacement collapsed = editorCollapsed(pane);
    EXPECT_EQ(collapsed.left, 3530);
    EXPECT_EQ(collapsed.top, 410 + 100);
    EXPECT_EQ(collapsed.width, 1);
    EXPECT_EQ(collapsed.editorWidth, 11270);

    EXPECT_EQ(editorControlHeight(3030), 2630);
}

struct ProgressCase
{
    int progress;
    int maximum;
    bool shown;
};

class ProgressTest : public ::testing::TestWithParam<ProgressCase>
{
};

TEST_P(ProgressTest, showsOnlyBetweenOneAndTheMaximum)
{
    EXPECT_EQ(progressShown(GetParam().progress, GetParam().maximum), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Events, ProgressTest,
                         ::testing::Values(ProgressCase{0, 100, false}, ProgressCase{1, 100, true},
                                           ProgressCase{50, 100, true}, ProgressCase{99, 100, true},
                                           ProgressCase{100, 100, false}, ProgressCase{150, 100, false},
                                           ProgressCase{-1, 100, false}, ProgressCase{1, 1, false}));

TEST(LayoutRules, panesShownOnEachTab)
{
    using P = TabPane;
    EXPECT_EQ(panesShownOnTab(1), QList<P>({P::WebBrowser1}));
    EXPECT_EQ(panesShownOnTab(2), QList<P>({P::WebBrowser3}));
    EXPECT_EQ(panesShownOnTab(3), QList<P>({P::WebBrowser2, P::ListMsg, P::Picture2, P::Picture3}));
    EXPECT_EQ(panesShownOnTab(4), QList<P>({P::WebBrowser4}));
    EXPECT_EQ(panesShownOnTab(5), QList<P>({P::PictureSettings}));
    EXPECT_TRUE(panesShownOnTab(0).isEmpty());
    EXPECT_TRUE(panesShownOnTab(6).isEmpty());
}

} // namespace
