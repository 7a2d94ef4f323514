// A picture of a window as the screen shows it, saved as a BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace wine_test {

// Waits until two looks at the window 150 ms apart show the same picture
// (painting has finished), at most 5 s, then saves the last one. False when
// the window is gone or the file cannot be written.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace wine_test
