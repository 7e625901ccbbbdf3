#include "platform/component/TemporaryChange.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(TemporaryChange, HoldsTheValueForTheScopeThenGivesTheOldOneBack) {
  bool busy = false;
  std::string mode = "idle";
  {
    const TTemporaryChange flag(busy, true);
    const TTemporaryChange outer(mode, std::string("drawing"));
    EXPECT_TRUE(busy);
    {
      const TTemporaryChange inner(mode, std::string("measuring"));
      EXPECT_EQ(mode, "measuring");
    }
    EXPECT_EQ(mode, "drawing");
  }
  EXPECT_FALSE(busy);
  EXPECT_EQ(mode, "idle");
}

TEST(TemporaryChange, GivesTheOldValueBackWhenTheScopeThrows) {
  int depth = 3;
  EXPECT_THROW(
      {
        const TTemporaryChange change(depth, 4);
        throw std::runtime_error("handler failed");
      },
      std::runtime_error);
  EXPECT_EQ(depth, 3);
}

}  // namespace
