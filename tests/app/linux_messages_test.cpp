// On Linux a message box is a line on standard error: "[caption] text".
#include "app/saver_app.h"

#include <gtest/gtest.h>

#include <string>

TEST(GlfwErrors, DescriptionIsShownUnderTheCaptionError)
{
    ::testing::internal::CaptureStderr();
    onGlfwError(0x00010008, "X11: The DISPLAY environment variable is missing");
    const std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, "[Error] X11: The DISPLAY environment variable is missing\n");
}
