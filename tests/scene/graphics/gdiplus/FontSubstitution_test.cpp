#include <gtest/gtest.h>

#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/gdiplus/GdiPlusFontSubstitution.h"

namespace {

using Fonts = TvxGdiPlusFontSubstitution;

constexpr std::u16string_view kDigits = u"0123456789:";
constexpr std::u16string_view kChinese = u"翎川定时关机右键托盘图标可重新打开设置计时方式";

class FontSubstitution : public testing::Test {
 protected:
  void SetUp() override { UseRasterBackend(); }
};

struct FamilyCase {
  const char* family;
  bool chinese;  // a Chinese family, whose own face must draw Chinese
};

class FormFamilies : public FontSubstitution, public testing::WithParamInterface<FamilyCase> {};

// Every family the forms name ends on an installed face drawing digits, and Chinese text in it
// is drawn wholly by one face that has all of its characters.
TEST_P(FormFamilies, ResolveToFacesWithTheGlyphs) {
  const std::wstring primary = Fonts::PrimaryFace(GetParam().family);
  ASSERT_FALSE(primary.empty());
  EXPECT_TRUE(Fonts::Installed(primary));
  EXPECT_TRUE(Fonts::Covers(primary, kDigits));
  EXPECT_EQ(Fonts::Face(GetParam().family, kDigits), primary);
  const std::wstring chinese = Fonts::Face(GetParam().family, kChinese);
  EXPECT_TRUE(Fonts::Covers(chinese, kChinese));
  if (GetParam().chinese) {
    EXPECT_EQ(chinese, primary);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, FormFamilies,
                         testing::Values(FamilyCase{"Tahoma", false}, FamilyCase{"Impact", false},
                                         FamilyCase{"impact", false}, FamilyCase{"Fixedsys", false},
                                         FamilyCase{"Segoe UI", false},
                                         FamilyCase{"Microsoft YaHei", true},
                                         FamilyCase{"黑体", true}, FamilyCase{"华文行楷", true},
                                         FamilyCase{"宋体", true}, FamilyCase{"微软雅黑", true},
                                         FamilyCase{"No Such Family", false}));

// An installed family is used as it is; a missing one that the forms name gets a stand-in.
TEST_F(FontSubstitution, AnInstalledFamilyIsItsOwnFace) {
  const bool tahoma = Fonts::Installed(L"Tahoma");
  const std::string family = tahoma ? "Tahoma" : "DejaVu Sans";
  const std::wstring face = tahoma ? L"Tahoma" : L"DejaVu Sans";
  ASSERT_TRUE(Fonts::Installed(face));
  EXPECT_EQ(Fonts::PrimaryFace(family), face);
  EXPECT_FALSE(Fonts::Installed(L"No Such Family"));
  if (!Fonts::Installed(L"Segoe UI")) {
    EXPECT_NE(Fonts::PrimaryFace("Segoe UI"), L"Segoe UI");
  }
}

// Fixedsys is a bitmap face GDI+ cannot draw; a monospaced stand-in takes its place.
TEST_F(FontSubstitution, FixedsysFallsToAMonospacedFace) {
  const std::wstring face = Fonts::PrimaryFace("Fixedsys");
  EXPECT_NE(face, L"Fixedsys");
  const bool monospaced = face.find(L"Mono") != std::wstring::npos || face == L"NSimSun" ||
                          face == L"Consolas" || face == L"Courier New";
  EXPECT_TRUE(monospaced) << std::string(face.begin(), face.end());
}

// Text the face has glyphs for keeps it; one character it lacks moves the whole text.
TEST_F(FontSubstitution, OnlyTextTheFaceLacksMovesToTheCjkFace) {
  const std::wstring primary = Fonts::PrimaryFace("Tahoma");
  ASSERT_TRUE(Fonts::Covers(primary, u"Hello, world 12:00"));
  ASSERT_FALSE(Fonts::Covers(primary, u"关"));
  EXPECT_EQ(Fonts::Face("Tahoma", u"12:00 \n"), primary);
  const std::wstring mixed = Fonts::Face("Tahoma", u"12:00 关");
  EXPECT_NE(mixed, primary);
  EXPECT_TRUE(Fonts::Covers(mixed, u"12:00 关"));
  EXPECT_EQ(Fonts::Face("Tahoma", u""), primary);
}

TEST_F(FontSubstitution, OnlyAStandInForImpactIsMadeBold) {
  EXPECT_EQ(Fonts::ForcesBold("Impact"), !Fonts::Installed(L"Impact"));
  EXPECT_FALSE(Fonts::ForcesBold("Tahoma"));
}

}  // namespace
