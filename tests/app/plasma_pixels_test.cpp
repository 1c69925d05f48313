// The real program's scene rendered by OpenGL (Mesa's llvmpipe under a
// virtual X server) compared pixel by pixel with the CPU twin of the shader.
#include "tools/plasma_reference.h"
#include "tools/still_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

struct PixelCase {
    int width;
    int height;
    float time;
};

std::string describe(const PixelCase& c)
{
    std::ostringstream name;
    name << c.width << "x" << c.height << " at " << c.time << " s";
    return name.str();
}

class PlasmaPixels : public ::testing::TestWithParam<PixelCase> {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (the test command provides one)";
        std::string error;
        ASSERT_TRUE(openStillRenderer(GetParam().width, GetParam().height, error)) << error;
    }
};

// Every pixel lies within 2/255 of the reference, except within a pixel of
// a cell seam, where the rounding to cells may fall either way.
TEST_P(PlasmaPixels, MatchTheReferenceAwayFromSeams)
{
    const PixelCase& c = GetParam();
    const StillImage image = renderStill(c.time);
    ASSERT_EQ(image.width, c.width);
    ASSERT_EQ(image.height, c.height);

    const float w = static_cast<float>(c.width);
    const float h = static_cast<float>(c.height);
    long compared = 0;
    long wrong = 0;
    std::string firstWrong;
    for (int row = 0; row < c.height; ++row) {
        for (int x = 0; x < c.width; ++x) {
            const float fragX = static_cast<float>(x) + 0.5f;
            const float fragY = h - static_cast<float>(row) - 0.5f;
            if (nearCellSeam(fragX, fragY, w, h, 1.0f))
                continue;
            ++compared;
            const PlasmaColor want = plasmaColor(fragX, fragY, w, h, c.time);
            const unsigned char* got = &image.rgb[(static_cast<size_t>(row) * c.width + x) * 3];
            const float wanted[3] = {want.r, want.g, want.b};
            for (int k = 0; k < 3; ++k) {
                if (std::fabs(got[k] / 255.0f - wanted[k]) > 2.0f / 255.0f + 1e-6f) {
                    if (wrong++ == 0) {
                        std::ostringstream where;
                        where << "first at column " << x << ", row " << row << " channel " << k << ": got "
                              << int(got[k]) << ", want " << wanted[k] * 255.0f;
                        firstWrong = where.str();
                    }
                    break;
                }
            }
        }
    }
    // Cells are height / 40 pixels tall: at a preview's 112 rows (2.8 pixels)
    // most pixels lie within a pixel of a seam, at 1080 rows few do.
    const float cell = h / 40.0f;
    const float open = std::max(0.0f, (cell - 2.0f) / cell);
    EXPECT_GT(compared, static_cast<long>(0.8f * open * open * w * h)) << "too few pixels compared";
    EXPECT_EQ(wrong, 0) << describe(c) << ": " << wrong << " of " << compared << " pixels differ; " << firstWrong;
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlasmaPixels,
                         ::testing::Values(PixelCase {1920, 1080, 0.0f}, PixelCase {1920, 1080, 3.7f},
                                           PixelCase {1920, 1080, 123.25f}, PixelCase {152, 112, 0.0f},
                                           PixelCase {152, 112, 9.5f}));

TEST(PlasmaCentre, At1920x1080AndTimeZeroIsBrightOrange)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command provides one)";
    std::string error;
    ASSERT_TRUE(openStillRenderer(1920, 1080, error)) << error;
    const StillImage image = renderStill(0.0f);
    // The centre is a cell centre (uv 5, 5): a = 0.699, ramp (0.802, 0.436, 0),
    // times the vignette's 1.9, clamped.
    const unsigned char* centre = &image.rgb[(static_cast<size_t>(540) * 1920 + 960) * 3];
    EXPECT_NEAR(centre[0], 255, 2);
    EXPECT_NEAR(centre[1], 0.83 * 255, 3);
    EXPECT_NEAR(centre[2], 0, 2);
    EXPECT_NEAR(plasmaValue(960.5f, 540.5f, 1920, 1080, 0), 0.699f, 0.001f);
}

TEST(PlasmaSeams, CellBordersAreBlack)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command provides one)";
    std::string error;
    ASSERT_TRUE(openStillRenderer(1920, 1080, error)) << error;
    const StillImage image = renderStill(5.0f);
    // At 1080 rows the height spans 10 units, so cells are 27 pixels tall and
    // a horizontal seam lies at uv.y = 0.125, that is row 13.5: rows 13 and
    // 14 straddle it and are dark whatever the plasma value.
    for (int x = 100; x < 1800; x += 97) {
        const unsigned char* pixel = &image.rgb[(static_cast<size_t>(13) * 1920 + x) * 3];
        EXPECT_LT(pixel[0] + pixel[1] + pixel[2], 3 * 80) << "column " << x;
    }
}

}  // namespace
