#include "platform/component/Unicode.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8ToUtf16, ConvertsChineseAndAstralText) {
  EXPECT_EQ(u"安全关机倒计时", Utf8ToUtf16("安全关机倒计时"));
  EXPECT_EQ(u"a\U0001F600b", Utf8ToUtf16("a\xF0\x9F\x98\x80"
                                         "b"));
  EXPECT_EQ(u"", Utf8ToUtf16(""));
}

TEST(Utf8ToUtf16, ReplacesMalformedSequencesWithoutLosingTheRest) {
  EXPECT_EQ(u"a\uFFFDb", Utf8ToUtf16("a\xFF"
                                     "b"));
  EXPECT_EQ(u"\uFFFDb", Utf8ToUtf16("\xE5\x85"
                                    "b"));            // cut short
  EXPECT_EQ(u"\uFFFD", Utf8ToUtf16("\xC0\xAF"));      // overlong
  EXPECT_EQ(u"\uFFFD", Utf8ToUtf16("\xED\xA0\x80"));  // surrogate
  EXPECT_EQ(u"x\uFFFD", Utf8ToUtf16("x\xF4"));        // truncated at the end
}

}  // namespace
