// The executable's own resources from resources/quendral.rc: the About
// picture, the two icon groups and the manifest, read back as Windows reads
// them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

std::string resourceText(LPCSTR type, WORD id)
{
    const HRSRC resource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!resource)
        return std::string();
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, resource)));
    return data ? std::string(data, ::SizeofResource(nullptr, resource)) : std::string();
}

TEST(Win32Resources, AboutPictureIs110By83At24Bits)
{
    HANDLE image = ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    BITMAP bitmap {};
    ASSERT_NE(::GetObjectA(image, sizeof bitmap, &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, 110);
    EXPECT_EQ(bitmap.bmHeight, 83);
    EXPECT_EQ(bitmap.bmBitsPixel, 24);
    ::DeleteObject(image);
}

TEST(Win32Resources, BothIconGroupsHold32And16PixelsAt4And8And32Bits)
{
    const std::set<std::pair<int, int>> expected = {{32, 4}, {32, 8}, {32, 32}, {16, 4}, {16, 8}, {16, 32}};
    for (WORD group : {WORD(102), WORD(113)}) {
        SCOPED_TRACE(group);
        // GRPICONDIR: reserved, type, count; then 14-byte GRPICONDIRENTRY records.
        const std::string directory = resourceText(RT_GROUP_ICON, group);
        ASSERT_GE(directory.size(), 6u);
        uint16_t header[3];
        std::memcpy(header, directory.data(), sizeof header);
        EXPECT_EQ(header[1], 1) << "an icon, not a cursor";
        ASSERT_EQ(directory.size(), 6u + 14u * header[2]);

        std::set<std::pair<int, int>> images;
        for (uint16_t i = 0; i < header[2]; ++i) {
            const char* entry = directory.data() + 6 + 14 * i;
            const int width = static_cast<unsigned char>(entry[0]);
            uint16_t bitCount = 0;
            uint16_t iconId = 0;
            std::memcpy(&bitCount, entry + 6, sizeof bitCount);
            std::memcpy(&iconId, entry + 12, sizeof iconId);
            images.insert({width, bitCount});
            EXPECT_NE(::FindResourceA(nullptr, MAKEINTRESOURCEA(iconId), RT_ICON), nullptr) << "image " << iconId;
        }
        EXPECT_EQ(images, expected);
        EXPECT_NE(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(group), IMAGE_ICON, 16, 16, 0), nullptr);
    }
}

TEST(Win32Resources, ManifestAsksToRunAsInvokerWithoutUiAccess)
{
    const std::string manifest = resourceText(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
}

}  // namespace
