// Every test here measures text as the backend does: with UTF-8 character types.
#include <gtest/gtest.h>

#include "framework/linux/tui/text_cells.h"

namespace {

class Utf8Environment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(framework::tui::UseUtf8CharacterTypes()); }
};

[[maybe_unused]] ::testing::Environment* const kUtf8 = ::testing::AddGlobalTestEnvironment(new Utf8Environment);

}  // namespace
