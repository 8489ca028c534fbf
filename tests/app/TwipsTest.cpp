#include "app/Twips.h"

#include <gtest/gtest.h>

#include <tuple>

using ferrowen::Twips;

namespace {

TEST(Twips, toPixels_roundsToTheNearestPixel)
{
    const std::tuple<double, int, int> rows[] = {
        {96, 3480, 232}, {96, 500, 33}, {96, 7, 0}, {96, 8, 1}, {96, -750, -50},
        {144, 3480, 348}, {120, 950, 79}, {192, 750, 100},
        // No usable DPI counts as 96.
        {0, 3480, 232}, {-5, 750, 50},
    };
    for (const auto &[dpi, twips, pixels] : rows)
        EXPECT_EQ(Twips(dpi).toPixels(twips), pixels) << dpi << " dpi, " << twips << " twips";
}

TEST(Twips, perPixelAndToTwips_areTheInverse)
{
    EXPECT_DOUBLE_EQ(Twips(96).perPixel(), 15);
    EXPECT_DOUBLE_EQ(Twips(192).perPixel(), 7.5);
    EXPECT_DOUBLE_EQ(Twips(0).perPixel(), 15);
    for (double dpi : {96.0, 120.0, 144.0}) {
        const Twips twips(dpi);
        for (int px : {0, 1, 33, 232, 1200})
            EXPECT_EQ(twips.toPixels(twips.toTwips(px)), px) << dpi << " " << px;
    }
    EXPECT_EQ(Twips(96).toTwips(232), 3480);
    EXPECT_EQ(Twips(192).toTwips(3), 23); // 22.5 twips, rounded
}

TEST(Twips, rectangles_convertEachEdgeAndDropNegativeSizes)
{
    const Twips twips(96);
    EXPECT_EQ(twips.toPixels(QRect(3480, 60, 11380, 8880)), QRect(232, 4, 759, 592));
    // A width a narrow window makes negative is given as zero.
    EXPECT_EQ(twips.toPixels(QRect(60, 410, -300, 1500)), QRect(4, 27, 0, 100));
    EXPECT_EQ(twips.toTwips(QRect(232, 4, 759, 592)), QRect(3480, 60, 11385, 8880));
}

} // namespace
