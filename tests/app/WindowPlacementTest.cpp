#include "app/settings/SettingsFile.h"
#include "app/WindowPlacement.h"
#include "editor/AffiliateSettings.h"
#include "platform/FileLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "SettingsFileFixture.h"

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

using WindowPlacementTest = ferrowen::testing::SettingsFileFixture;

TEST_F(WindowPlacementTest, noSettingsFileStartsMaximizedWithScreenEditor)
{
    const StoredPlacement placement = readWindowPlacement(settings);
    EXPECT_TRUE(placement.maximized);
    EXPECT_FALSE(placement.hasNormalGeometry);
    const EditorPlacement editor = readEditorPlacement(settings, 15.0);
    EXPECT_TRUE(editor.AutoPosition);
    EXPECT_EQ(editor.EditorTop, 950);
    EXPECT_EQ(editor.EditorHeight, 3030);
    EXPECT_FALSE(QFile::exists(settings.path())) << "reading never creates the file";
}

TEST_F(WindowPlacementTest, setmaxZeroWithoutLeftKeepsDesignedPlacement)
{
    set("setmax", "0");
    const StoredPlacement placement = readWindowPlacement(settings);
    EXPECT_FALSE(placement.maximized);
    EXPECT_FALSE(placement.hasNormalGeometry);
}

TEST_F(WindowPlacementTest, leftZeroIsAPosition)
{
    set("setmax", "0");
    set("left", "0");
    const StoredPlacement placement = readWindowPlacement(settings);
    ASSERT_TRUE(placement.hasNormalGeometry);
    EXPECT_EQ(placement.normalGeometry, QRect(0, 0, 700, 500));
}

TEST_F(WindowPlacementTest, unreadableLeftReadsAsZeroAndApplies)
{
    set("setmax", "0");
    set("left", "abc");
    set("top", " 300");
    set("width", "9000x");
    set("height", "6000");
    const StoredPlacement placement = readWindowPlacement(settings);
    ASSERT_TRUE(placement.hasNormalGeometry);
    EXPECT_EQ(placement.normalGeometry, QRect(0, 300, 9000, 6000));
}

TEST_F(WindowPlacementTest, editorScalesWithScreenRoundingHalfToEven)
{
    // 950 * 12 / 15 = 760 exactly; 3030 * 12 / 15 = 2424.
    EXPECT_EQ(editorPlacementForScreen(12.0).EditorTop, 760);
    EXPECT_EQ(editorPlacementForScreen(12.0).EditorHeight, 2424);
    // 950 * 7.5 / 15 = 475; 3030 * 7.5 / 15 = 1515.
    EXPECT_EQ(editorPlacementForScreen(7.5).EditorHeight, 1515);
    // 950 * 14.4 / 15 = 912; 3030 * 14.4 / 15 = 2908.8 -> 2909.
    EXPECT_EQ(editorPlacementForScreen(14.4).EditorHeight, 2909);
    // A half: 950 * 0.0157894... constructed so the product is 0.5 -> 0.
    EXPECT_EQ(editorPlacementForScreen(15.0 / 1900.0).EditorTop, 0);
    EXPECT_EQ(editorPlacementForScreen(15.0 * 1.5 / 950.0).EditorTop, 2);
}

TEST_F(WindowPlacementTest, autoposOffUsesStoredValuesUnscaled)
{
    set("autopos", "0");
    set("ed_top", " 1200");
    set("ed_ht", " 2000");
    const EditorPlacement editor = readEditorPlacement(settings, 12.0);
    EXPECT_FALSE(editor.AutoPosition);
    EXPECT_EQ(editor.EditorTop, 1200);
    EXPECT_EQ(editor.EditorHeight, 2000);
}

TEST_F(WindowPlacementTest, autoposOffWithoutStoredValuesGivesDefaults)
{
    set("autopos", "0");
    const EditorPlacement editor = readEditorPlacement(settings, 12.0);
    EXPECT_EQ(editor.EditorTop, 950);
    EXPECT_EQ(editor.EditorHeight, 3030);
}

ExitState normalExitState()
{
    ExitState state;
    state.editor = editorPlacementForScreen(15.0);
    state.affiliateText = defaultAffiliateText();
    state.normalWindow = true;
    state.normalGeometry = QRect(1200, 900, 9000, 7000);
    return state;
}

// Existing keys are rewritten in place, new ones follow in the order the
// exit has always written them.
TEST_F(WindowPlacementTest, exitInNormalStateWritesEveryKeyInOrder)
{
    set("left", "5");
    set("mailto", "");
    int pumps = 0;
    ASSERT_TRUE(writeExitState(settings, normalExitState(), [&pumps] { ++pumps; }));

    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(fileText(), QByteArray("[Settings]\r\nleft=1200\r\nmailto=\r\nautopos=1\r\ndo_affiliate=0\r\naffID=\r\n"
                                     "afftext=Composed with the Drovenel HTML editor.\r\ned_top= 950\r\ned_ht= 3030\r\n"
                                     "setmax=0\r\ntop=900\r\nwidth=9000\r\nheight=7000\r\n"));
}

TEST_F(WindowPlacementTest, exitThatCannotWrite_writesNoneOfTheKeys)
{
    set("left", "5");
    const QByteArray before = fileText();

    ExitState unstorable = normalExitState();
    unstorable.affiliateText = QStringLiteral("two\nlines");
    EXPECT_FALSE(writeExitState(settings, unstorable, nullptr));
    EXPECT_EQ(fileText(), before);

    const FileLock otherWriter(settings.profile().lockFilePath(), FileLock::Mode::Exclusive, 0ms);
    ASSERT_TRUE(otherWriter.status());
    EXPECT_FALSE(writeExitState(settings, normalExitState(), nullptr));
    EXPECT_EQ(fileText(), before);
}

TEST_F(WindowPlacementTest, exitMinimizedStoresOnlySetmax)
{
    set("left", "77");
    ExitState state;
    state.normalWindow = false;
    state.normalGeometry = QRect(1, 2, 3, 4);
    ASSERT_TRUE(writeExitState(settings, state, nullptr));
    EXPECT_EQ(get("setmax"), QStringLiteral("1"));
    EXPECT_EQ(get("left"), QStringLiteral("77")) << "the last normal position is not replaced";
    EXPECT_EQ(get("top"), QStringLiteral("<none>"));
    EXPECT_TRUE(readWindowPlacement(settings).maximized);
}

} // namespace
