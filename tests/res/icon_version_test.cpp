// Icon 128 with its six images, and the version record.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "res/resource_tables.h"

namespace {

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

TEST(ResourceIcon, SixImagesInOrder) {
  const res::IconGroup* icon = res::FindIcon(128);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->language, 1028);
  struct Expected {
    int size, bitCount;
  };
  const Expected expected[] = {{48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 24}, {16, 32}};
  ASSERT_EQ(icon->images.size(), std::size(expected));
  for (std::size_t i = 0; i < icon->images.size(); ++i) {
    SCOPED_TRACE("image " + std::to_string(i + 1));
    const res::IconImage& image = icon->images[i];
    EXPECT_EQ(image.width, expected[i].size);
    EXPECT_EQ(image.height, expected[i].size);
    EXPECT_EQ(image.bitCount, expected[i].bitCount);
    // The bitmap itself agrees: a BITMAPINFOHEADER of twice the height (colour
    // rows and mask rows) and the same bit count.
    ASSERT_GE(image.data.size(), 40u);
    EXPECT_EQ(LittleEndian(image.data, 0, 4), 40u);
    EXPECT_EQ(LittleEndian(image.data, 4, 4), static_cast<std::uint32_t>(expected[i].size));
    EXPECT_EQ(LittleEndian(image.data, 8, 4), static_cast<std::uint32_t>(2 * expected[i].size));
    EXPECT_EQ(LittleEndian(image.data, 14, 2), static_cast<std::uint32_t>(expected[i].bitCount));
  }
}

TEST(ResourceIcon, ImagesLieInsideTheEmbeddedFile) {
  const res::IconGroup* icon = res::FindIcon(128);
  ASSERT_NE(icon, nullptr);
  const std::span<const std::uint8_t> file = icon->icoFile;
  ASSERT_GE(file.size(), 6u + 16u * icon->images.size());
  EXPECT_EQ(LittleEndian(file, 2, 2), 1u) << "icon resource type";
  EXPECT_EQ(LittleEndian(file, 4, 2), icon->images.size());
  for (std::size_t i = 0; i < icon->images.size(); ++i) {
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(icon->images[i].data.data(), file.data() + LittleEndian(file, entry + 12, 4));
    EXPECT_EQ(icon->images[i].data.size(), LittleEndian(file, entry + 8, 4));
  }
}

TEST(ResourceIcon, OnlyIcon128Exists) {
  EXPECT_EQ(res::FindIcon(129), nullptr) << "the about box names an icon the module does not hold";
  EXPECT_EQ(res::FindIcon(0), nullptr);
}

TEST(ResourceVersion, FixedPart) {
  const res::VersionRecord& version = res::Version();
  EXPECT_EQ(std::vector<std::uint16_t>(std::begin(version.fileVersion), std::end(version.fileVersion)),
            (std::vector<std::uint16_t>{1, 0, 0, 1}));
  EXPECT_EQ(std::vector<std::uint16_t>(std::begin(version.productVersion), std::end(version.productVersion)),
            (std::vector<std::uint16_t>{1, 0, 0, 1}));
  EXPECT_EQ(version.fileFlagsMask, 0x3Fu);
  EXPECT_EQ(version.fileFlags, 0u);
  EXPECT_EQ(version.fileOS, 4u);
  EXPECT_EQ(version.fileType, 1u);
  EXPECT_EQ(version.fileSubtype, 0u);
  EXPECT_EQ(version.translationLanguage, 0x0404);
  EXPECT_EQ(version.translationCodePage, 1200);
}

TEST(ResourceVersion, StringBlock) {
  const res::VersionRecord& version = res::Version();
  EXPECT_STREQ(version.blockName, "040404b0");
  std::map<std::string, std::string> strings;
  for (const res::VersionString& entry : version.strings) strings[entry.key] = entry.value;
  EXPECT_EQ(strings.size(), 12u);
  EXPECT_EQ(strings["FileDescription"], "TAVRIN MFC Application");
  EXPECT_EQ(strings["FileVersion"], "1, 0, 0, 1");
  EXPECT_EQ(strings["InternalName"], "TAVRIN");
  EXPECT_EQ(strings["OriginalFilename"], "TAVRIN.EXE");
  EXPECT_EQ(strings["ProductName"], "TAVRIN Application");
  EXPECT_EQ(strings["ProductVersion"], "1, 0, 0, 1");
  for (const char* empty : {"Comments", "LegalTrademarks", "PrivateBuild", "SpecialBuild"}) {
    ASSERT_TRUE(strings.count(empty)) << empty;
    EXPECT_EQ(strings[empty], "") << empty;
  }
  EXPECT_FALSE(strings["CompanyName"].empty());
  EXPECT_FALSE(strings["LegalCopyright"].empty());
}

}  // namespace
