#include "tools/tavrind/command_parser.h"

#include <algorithm>
#include <iterator>

namespace tavrind {
namespace {

bool IsCommandPrefix(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() <= std::size(kApplyCommandBytes) &&
         std::equal(bytes.begin(), bytes.end(), std::begin(kApplyCommandBytes));
}

}  // namespace

void CommandParser::Feed(const std::uint8_t* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) FeedOne(bytes[i]);
}

void CommandParser::FeedOne(std::uint8_t byte) {
  m_pending.push_back(byte);
  // Drop leading bytes until what is pending could still become a command.
  while (!IsCommandPrefix(m_pending)) {
    m_handlers.ignored(m_pending.front());
    m_pending.erase(m_pending.begin());
  }
  if (m_pending.size() == std::size(kApplyCommandBytes)) {
    m_pending.clear();
    m_handlers.apply();
  }
}

}  // namespace tavrind
