// Files as the platform's registry editor exports them: UTF-16LE text.
#pragma once

#include <string>
#include <string_view>

namespace test_support {

// The bytes of a UTF-16LE file holding `text`, after its byte-order mark.
std::string Utf16LeFile(std::u16string_view text);

}  // namespace test_support
