#include "render/text_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A buffer of the size the registry allocates, filled with a canary so that
// bytes the call must not touch can be told apart from those it wrote.
std::vector<char> canaryBuffer(size_t size = kTextResourceBufferSize)
{
    return std::vector<char>(size, '\x5a');
}

}  // namespace

TEST(LoadTextResource, VertexShaderStopsBeforeMarkerAndIsZeroTerminated)
{
    std::vector<char> buffer = canaryBuffer();
    loadTextResource(137, buffer.data(), kTextResourceCapacity);

    const std::string text(buffer.data());
    ASSERT_EQ(text.size(), 372u);  // 375 bytes less "~" and the final CR LF
    EXPECT_EQ(text.rfind("#version 110", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 5), "}\r\n//");
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(buffer[text.size() + i], '\0') << "terminator byte " << i;
    EXPECT_EQ(buffer[text.size() + 4], '\x5a') << "nothing is written past the terminator";
}

TEST(LoadTextResource, FragmentShaderIsTheWholeTextBeforeTheMarker)
{
    std::vector<char> buffer = canaryBuffer();
    loadTextResource(136, buffer.data(), kTextResourceCapacity);
    const std::string text(buffer.data());
    EXPECT_EQ(text.size(), 2661u);
    EXPECT_EQ(text.rfind("#version 130", 0), 0u);
    EXPECT_EQ(text.find('~'), std::string::npos);
}

TEST(LoadTextResource, MarkerInsideALineDropsTheRestOfTheText)
{
    std::vector<char> buffer = canaryBuffer();
    loadTextResource(900, buffer.data(), kTextResourceCapacity);
    EXPECT_EQ(std::string(buffer.data()), "void main()\r\n{\r\n    gl_FragColor = vec4(1.0); // stop ");
}

TEST(LoadTextResource, TextWithoutMarkerEndsAtTheResourceEnd)
{
    std::vector<char> buffer = canaryBuffer();
    loadTextResource(901, buffer.data(), kTextResourceCapacity);
    EXPECT_EQ(std::string(buffer.data()), "this text has no end marker\r\n");
}

TEST(LoadTextResource, CopyNeverRunsPastTheCapacity)
{
    // A capacity of 10 stops the copy after 10 bytes; the four zero bytes
    // follow, and the byte after them keeps the canary.
    std::vector<char> buffer = canaryBuffer(15);
    loadTextResource(901, buffer.data(), 10);
    EXPECT_EQ(std::string(buffer.data()), "this text ");
    EXPECT_EQ(buffer[14], '\x5a');
}

TEST(LoadTextResource, MissingResourceGivesAnEmptyText)
{
    std::vector<char> buffer = canaryBuffer();
    loadTextResource(4242, buffer.data(), kTextResourceCapacity);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[3], '\0');
    EXPECT_EQ(buffer[4], '\x5a');
}

TEST(TextResourceBytes, ObjModelIsTakenWholeBySize)
{
    const TextBytes obj = textResourceBytes(141);
    ASSERT_NE(obj.data, nullptr);
    ASSERT_EQ(obj.size, 551u);
    EXPECT_EQ(std::string(obj.data + obj.size - 11, 11), "# 2 faces\r\n");

    const TextBytes mtl = textResourceBytes(140);
    ASSERT_NE(mtl.data, nullptr);
    EXPECT_EQ(mtl.size, 242u);
}

TEST(TextResourceBytes, MissingResourceIsEmpty)
{
    const TextBytes missing = textResourceBytes(4242);
    EXPECT_EQ(missing.data, nullptr);
    EXPECT_EQ(missing.size, 0u);
}
