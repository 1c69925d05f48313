#include "app/command_line.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

struct ParseCase {
    const char* text;
    SaverMode mode;
    int32_t windowHandle;
};

class CommandLineParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, GivesModeAndHandle)
{
    const ParseCase& c = GetParam();
    const CommandLine parsed(c.text);
    EXPECT_EQ(parsed.mode, c.mode) << "\"" << c.text << "\"";
    EXPECT_EQ(parsed.windowHandle, c.windowHandle) << "\"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineParse,
    ::testing::Values(
        ParseCase {"", Default, 0},
        ParseCase {"/s", Run, 0},
        ParseCase {"/p 1234", Preview, 1234},
        ParseCase {"/c:1234", Configure, 1234},
        ParseCase {"/S", Default, 0},
        ParseCase {"/P 1234", Default, 0},
        ParseCase {"/C", Default, 0},
        ParseCase {"/s /c", Configure, 0},
        ParseCase {"/p 1234 /x", Preview, 0},  // the second '/' reads the handle again
        ParseCase {"/p", Preview, 0},
        ParseCase {"/p ", Preview, 0},
        ParseCase {"/p   -42", Preview, -42},  // atoi skips white space, reads a sign
        ParseCase {"/p 12abc", Preview, 12},
        ParseCase {"/x 55", Default, 0},      // no switch yet: nothing is read
        ParseCase {"/x /p 7", Preview, 7},
        ParseCase {"/p 99999999999", Preview, INT32_MAX},    // clamped, not undefined
        ParseCase {"/p -99999999999", Preview, INT32_MIN}));

TEST(CommandLine, NullTextIsDefault)
{
    const CommandLine parsed(nullptr);
    EXPECT_EQ(parsed.mode, Default);
    EXPECT_EQ(parsed.windowHandle, 0);
}

TEST(InstanceMarker, SecondHolderOfTheSameNameIsRefused)
{
    // A name of this test process alone, so that a running screensaver on the
    // machine does not disturb the test.
    const std::string name = "QUENDRAL_TEST_MARKER_" + std::to_string(::getpid());
    EXPECT_TRUE(platform::acquireInstanceMarker(name.c_str()));
    EXPECT_FALSE(platform::acquireInstanceMarker(name.c_str()));
    const std::string other = name + "_OTHER";
    EXPECT_TRUE(platform::acquireInstanceMarker(other.c_str()));
}

}  // namespace
