// Splits the bytes read from the control device into commands. The only
// command is apply (0x0A 0x01 0x42); it may arrive split over several reads.
// Every byte that is not part of a command is reported as ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace tavrind {

inline constexpr std::uint8_t kApplyCommandBytes[] = {0x0A, 0x01, 0x42};

class CommandParser {
 public:
  struct Handlers {
    std::function<void()> apply;
    std::function<void(std::uint8_t byte)> ignored;
  };

  explicit CommandParser(Handlers handlers) : m_handlers(std::move(handlers)) {}

  void Feed(const std::uint8_t* bytes, std::size_t count);

 private:
  void FeedOne(std::uint8_t byte);

  Handlers m_handlers;
  std::vector<std::uint8_t> m_pending;  // a proper prefix of the apply command
};

}  // namespace tavrind
