#include "res/rcc/lib/ico_file.h"

#include <string>
#include <utility>

namespace rcc {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

std::uint32_t ReadLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

std::size_t RowBytes(std::size_t width, std::size_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

// The bytes a BI_RGB icon bitmap needs: header, palette, colour rows, mask rows.
std::size_t BitmapSize(std::size_t width, std::size_t height, int bitCount, std::uint32_t colorsUsed) {
  std::size_t paletteEntries = 0;
  if (bitCount <= 8) paletteEntries = colorsUsed != 0 ? colorsUsed : (std::size_t{1} << bitCount);
  return kBitmapInfoHeaderSize + paletteEntries * 4 + RowBytes(width, static_cast<std::size_t>(bitCount)) * height +
         RowBytes(width, 1) * height;
}

IcoImage ReadImage(const std::vector<std::uint8_t>& bytes, std::size_t entry, std::size_t directoryEnd, int index,
                   const SourceLocation& where) {
  auto fail = [&](const std::string& message) {
    throw RcError(where, "icon image " + std::to_string(index) + ": " + message);
  };
  IcoImage image;
  image.width = bytes[entry] == 0 ? 256 : bytes[entry];
  image.height = bytes[entry + 1] == 0 ? 256 : bytes[entry + 1];
  const std::uint32_t directoryBitCount = ReadLittleEndian(bytes, entry + 6, 2);
  image.size = ReadLittleEndian(bytes, entry + 8, 4);
  image.offset = ReadLittleEndian(bytes, entry + 12, 4);
  if (image.offset < directoryEnd || image.offset > bytes.size() || image.size > bytes.size() - image.offset)
    fail("lies outside the file's image area");
  if (image.size >= 8 && bytes[image.offset] == 0x89 && bytes[image.offset + 1] == 'P')
    fail("PNG-compressed images are not supported; store it as a bitmap");
  if (image.size < kBitmapInfoHeaderSize || ReadLittleEndian(bytes, image.offset, 4) != kBitmapInfoHeaderSize)
    fail("is not a bitmap with a BITMAPINFOHEADER");

  const auto headerField = [&](std::size_t at, int width) { return ReadLittleEndian(bytes, image.offset + at, width); };
  const auto bitmapWidth = static_cast<std::int32_t>(headerField(4, 4));
  const auto bitmapHeight = static_cast<std::int32_t>(headerField(8, 4));
  const auto bitCount = static_cast<int>(headerField(14, 2));
  if (bitmapWidth != image.width || bitmapHeight != 2 * image.height)
    fail("bitmap size does not match the directory entry");
  if (headerField(12, 2) != 1) fail("bitmap must have one plane");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    fail("unsupported bit count " + std::to_string(bitCount));
  if (headerField(16, 4) != 0) fail("compressed bitmaps are not supported");
  if (directoryBitCount != 0 && directoryBitCount != static_cast<std::uint32_t>(bitCount))
    fail("bit count of the directory entry differs from the bitmap's");
  const std::uint32_t colorsUsed = headerField(32, 4);
  if (bitCount <= 8 && colorsUsed > (1u << bitCount)) fail("palette is larger than the bit count allows");
  if (BitmapSize(static_cast<std::size_t>(image.width), static_cast<std::size_t>(image.height), bitCount, colorsUsed) >
      image.size)
    fail("bitmap data is truncated");
  image.bitCount = bitCount;
  return image;
}

}  // namespace

IcoFile ParseIcoFile(std::vector<std::uint8_t> bytes, const SourceLocation& where) {
  if (bytes.size() < kDirectorySize || ReadLittleEndian(bytes, 0, 2) != 0 || ReadLittleEndian(bytes, 2, 2) != 1)
    throw RcError(where, "not an icon file");
  const std::size_t count = ReadLittleEndian(bytes, 4, 2);
  if (count == 0) throw RcError(where, "icon file holds no image");
  const std::size_t directoryEnd = kDirectorySize + count * kEntrySize;
  if (bytes.size() < directoryEnd) throw RcError(where, "icon directory is truncated");

  IcoFile file;
  for (std::size_t i = 0; i < count; ++i)
    file.images.push_back(
        ReadImage(bytes, kDirectorySize + i * kEntrySize, directoryEnd, static_cast<int>(i + 1), where));
  file.bytes = std::move(bytes);
  return file;
}

}  // namespace rcc
