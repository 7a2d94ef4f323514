#include "utf8_text.h"

namespace framework {
namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::size_t Utf8FittingLength(std::string_view text, std::size_t capacity) {
  if (text.size() <= capacity) return text.size();
  std::size_t length = capacity;
  while (length > 0 && IsContinuationByte(text[length])) --length;
  return length;
}

}  // namespace framework
