#include "platform/headless/MemoryClipboard.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryClipboard, HoldsTheLastTextUntilCleared) {
  TMemoryClipboard clipboard;
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"");
  clipboard.SetText(u"翎川");
  clipboard.SetText(u"定时关机");
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"定时关机");
  clipboard.Clear();
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"");
}

TEST(MemoryClipboard, EmptyTextIsStillText) {
  TMemoryClipboard clipboard;
  clipboard.SetText(u"");
  EXPECT_TRUE(clipboard.HasText());
}

}  // namespace
