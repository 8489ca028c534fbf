#include "settings/SettingsFile.h"
#include "app/WindowPlacement.h"
#include "platform/FileLock.h"

#include <QFile>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "SettingsFileFixture.h"

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

using WindowPlacementTest = ferrowen::testing::SettingsFileFixture;
using Keys = std::vector<std::pair<const char *, const char *>>;

TEST_F(WindowPlacementTest, storedPlacement_maximizedUnlessSetmaxIsZeroAndNormalFromLeftOn)
{
    const struct
    {
        Keys keys;
        bool maximized;
        std::optional<QRect> normal;
    } rows[] = {
        {{}, true, std::nullopt},
        {{{"setmax", "0"}}, false, std::nullopt}, // the designed placement
        {{{"setmax", "0"}, {"left", "0"}}, false, QRect(0, 0, 700, 500)},
        // Unreadable numbers read as far as they go, or as zero.
        {{{"setmax", "0"}, {"left", "abc"}, {"top", " 300"}, {"width", "9000x"}, {"height", "6000"}}, false, QRect(0, 300, 9000, 6000)},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SettingsFile file(dir.filePath(QStringLiteral("%1.ini").arg(i)));
        for (const auto &[key, value] : rows[i].keys)
            ASSERT_TRUE(file.SetIni(QStringLiteral("Settings"), QLatin1String(key), QLatin1String(value)));
        const StoredPlacement placement = readWindowPlacement(file);
        EXPECT_EQ(placement.maximized, rows[i].maximized) << i;
        EXPECT_EQ(placement.hasNormalGeometry, rows[i].normal.has_value()) << i;
        EXPECT_EQ(placement.normalGeometry, rows[i].normal.value_or(QRect())) << i;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("0.ini")))) << "reading never creates the file";
}

TEST_F(WindowPlacementTest, editorPlacement_scalesWithTheScreenUnlessAutoposIsOff)
{
    const struct
    {
        Keys keys;
        double twipsPerPixel;
        bool autoPosition;
        int top, height;
    } rows[] = {
        {{}, 15.0, true, 950, 3030},
        {{}, 12.0, true, 760, 2424},
        {{}, 7.5, true, 475, 1515},
        {{}, 14.4, true, 912, 2909}, // 2908.8
        // Exact halves go to the even number: 0.5 and 1.5.
        {{}, 15.0 / 1900.0, true, 0, 2},
        {{}, 15.0 * 1.5 / 950.0, true, 2, 5},
        {{{"autopos", "0"}, {"ed_top", " 1200"}, {"ed_ht", " 2000"}}, 12.0, false, 1200, 2000},
        {{{"autopos", "0"}}, 12.0, false, 950, 3030},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SettingsFile file(dir.filePath(QStringLiteral("%1.ini").arg(i)));
        for (const auto &[key, value] : rows[i].keys)
            ASSERT_TRUE(file.SetIni(QStringLiteral("Settings"), QLatin1String(key), QLatin1String(value)));
        const EditorPlacement editor = readEditorPlacement(file, rows[i].twipsPerPixel);
        EXPECT_EQ(editor.AutoPosition, rows[i].autoPosition) << i;
        EXPECT_EQ(editor.EditorTop, rows[i].top) << i;
        EXPECT_EQ(editor.EditorHeight, rows[i].height) << i;
    }
}

ExitState normalExitState()
{
    ExitState state;
    state.editor = editorPlacementForScreen(15.0);
    state.affiliateText = QString(SettingKeys::AffiliateText.fallback);
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
