// The framework's texts are UTF-8, whatever the system's ANSI code page; the
// system's windows and resources hold UTF-16. The conversions at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace framework::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace framework::win32
