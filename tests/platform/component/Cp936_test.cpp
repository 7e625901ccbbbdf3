#include "platform/component/Cp936.h"

#include <gtest/gtest.h>

TEST(Cp936Test, ConvertsChineseBothWays) {
  EXPECT_EQ(Cp936ToUtf16("\xB9\xD8\xBB\xFA abc"), u"关机 abc");
  EXPECT_EQ(Utf16ToCp936(u"关机 abc"), "\xB9\xD8\xBB\xFA abc");
  EXPECT_EQ(Cp936ToUtf16(""), u"");
}

TEST(Cp936Test, UnconvertibleCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Cp936ToUtf16("a\xFF"
                         "b"),
            u"a?b");
  EXPECT_EQ(Cp936ToUtf16("a\xB9"), u"a?");  // cut after a lead byte
  EXPECT_EQ(Utf16ToCp936(u"a\u0E01b"), "a?b");
  EXPECT_EQ(Utf16ToCp936(u"a😀b"), "a?b");  // one mark for a whole surrogate pair
  EXPECT_EQ(Utf16ToCp936(u"a\xDC00"
                         "b\xD800"),
            "a?b?");
}
