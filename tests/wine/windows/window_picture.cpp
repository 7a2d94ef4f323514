#include "tests/wine/windows/window_picture.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace wine_test {
namespace {

struct Picture {
  LONG width = 0;
  LONG height = 0;
  std::vector<BYTE> rows;  // 24-bit, bottom-up, rows padded to 4 bytes
  bool operator==(const Picture&) const = default;
};

LONG Stride(LONG width) { return (width * 3 + 3) & ~3; }

BITMAPINFOHEADER Header(const Picture& picture) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(picture.rows.size());
  return header;
}

bool Look(HWND window, Picture& picture) {
  RECT rect;
  if (!IsWindow(window) || !GetWindowRect(window, &rect)) return false;
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  if (picture.width <= 0 || picture.height <= 0) return false;
  picture.rows.assign(static_cast<std::size_t>(Stride(picture.width) * picture.height), 0);

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info{};
  info.bmiHeader = Header(picture);
  const int copied =
      GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height), picture.rows.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return copied == picture.height;
}

bool Save(const Picture& picture, const std::string& path) {
  const BITMAPINFOHEADER header = Header(picture);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.rows.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(picture.rows.data(), 1, picture.rows.size(), out) == picture.rows.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& path) {
  Picture last;
  if (!Look(window, last)) return false;
  for (int look = 0; look < 33; ++look) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Picture next;
    if (!Look(window, next)) return false;
    if (next == last) break;
    last = std::move(next);
  }
  return Save(last, path);
}

}  // namespace wine_test
