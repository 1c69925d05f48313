#include "app/saver_app.h"
#include "app/window_icon.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

TEST(WindowsVersion, MajorTimesTenPlusMinor)
{
    EXPECT_EQ(windowsVersion(0x0105), 51);  // Windows XP: 5.1
    EXPECT_EQ(windowsVersion(0x0006), 60);  // Vista: 6.0
    EXPECT_EQ(windowsVersion(0x0206), 62);
    EXPECT_EQ(windowsVersion(0x23F00206), 62) << "the high word is the build number";
}

TEST(WindowMetrics, SizeEventSetsAllThree)
{
    setWindowMetrics(1280, 720);
    EXPECT_EQ(windowWidth, 1280);
    EXPECT_EQ(windowHeight, 720);
    EXPECT_FLOAT_EQ(windowAspect, 1.7777778f);

    onWindowSize(nullptr, 152, 112);
    EXPECT_EQ(windowWidth, 152);
    EXPECT_EQ(windowHeight, 112);
    EXPECT_NEAR(windowAspect, 1.357f, 0.001f);
}

TEST(WindowMetrics, EmptySizeKeepsTheLastGoodOne)
{
    // A minimised window reports 0 × 0; the shader divides by the height.
    setWindowMetrics(1920, 1080);
    onWindowSize(nullptr, 1920, 0);
    onWindowSize(nullptr, 0, 0);
    onWindowSize(nullptr, -5, 100);
    EXPECT_EQ(windowWidth, 1920);
    EXPECT_EQ(windowHeight, 1080);
    EXPECT_FLOAT_EQ(windowAspect, 1920.0f / 1080.0f);
}

TEST(WindowIcon, ColumnsBecomeRows)
{
    // Give every pixel its own value: pixel (row y, column x) of the result
    // must be pixel x * 64 + y of the column-by-column source.
    std::vector<unsigned char> columns(kWindowIconSize * kWindowIconSize * 4);
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i] = static_cast<unsigned char>((i * 7 + i / 256) & 0xFF);
    std::vector<unsigned char> rows(columns.size(), 0);
    iconColumnsToRows(columns.data(), rows.data());

    for (int y = 0; y < kWindowIconSize; ++y) {
        for (int x = 0; x < kWindowIconSize; ++x) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(rows[(y * 64 + x) * 4 + c], columns[(x * 64 + y) * 4 + c])
                    << "row " << y << " column " << x << " channel " << c;
            }
        }
    }
}

TEST(WindowIcon, BuiltInPictureIsOpaqueAndNotFlat)
{
    int distinct = 0;
    for (int i = 0; i < kWindowIconSize * kWindowIconSize; ++i) {
        EXPECT_EQ(kWindowIconColumns[i * 4 + 3], 255);
        if (i > 0 && kWindowIconColumns[i * 4] != kWindowIconColumns[(i - 1) * 4])
            ++distinct;
    }
    EXPECT_GT(distinct, 1000);
}

// GLFW reports a key release only for a press it has seen, which already
// ended the program, so the release and repeat paths are checked here, on
// the callbacks themselves.
TEST(InputCallbacks, EveryKeyAndButtonActionEndsWithZero)
{
    EXPECT_EXIT(onKey(nullptr, GLFW_KEY_A, 38, GLFW_PRESS, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onKey(nullptr, GLFW_KEY_B, 56, GLFW_RELEASE, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onKey(nullptr, GLFW_KEY_SPACE, 65, GLFW_REPEAT, GLFW_MOD_SHIFT), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(onMouseButton(nullptr, GLFW_MOUSE_BUTTON_RIGHT, GLFW_RELEASE, 0), ::testing::ExitedWithCode(0), "");
}

