#include "app/FormAbout.h"

#include <gtest/gtest.h>

#include "MainForm_support.h"
#include "scene/graphics/Text.h"

namespace {

class AboutDialogTest : public testing::Test, public TMainFormFixture {};

TEST_F(AboutDialogTest, OpensCentredOnTheSpriteWhereverItWasMoved) {
  CreateMainForm();
  Main().Window().SetBounds({1000, 40, 479, 195});
  TBoundsI place;
  RunAbout([&](TForm&, THeadlessWindow& window) {
    place = window.Bounds();
    window.KeyDown(vkEscape);
  });
  EXPECT_EQ(place, (TBoundsI{1000 + (479 - 267) / 2, 40 + (195 - 370) / 2, 267, 370}));
  EXPECT_FALSE(StayedOpen());
  EXPECT_EQ(Main().AboutDialog(), nullptr);
}

TEST_F(AboutDialogTest, ListsTheFeaturesAndClosesByItsButton) {
  CreateMainForm();
  std::u16string features;
  RunAbout([&](TForm& dialog, THeadlessWindow& window) {
    features = dynamic_cast<TvxText*>(dialog.FindComponent("Text5"))->Text();
    Click(dialog, window, "SpeedButton1");
  });
  EXPECT_FALSE(StayedOpen());
  EXPECT_EQ(features.size(), 108u);
  EXPECT_EQ(features.substr(0, 5), u"功能：\r\n");
  EXPECT_EQ(features.substr(features.size() - 11), u"6.关机前10秒提示。");
}

TEST_F(AboutDialogTest, ASecondRequestBringsTheOpenDialogForward) {
  CreateMainForm();
  int activations = 0;
  RunAbout([&](TForm&, THeadlessWindow& window) {
    const int before = window.Activations();
    Main().N6Click(nullptr);
    activations = window.Activations() - before;
    window.KeyDown(vkEscape);
  });
  EXPECT_EQ(activations, 1);
  EXPECT_FALSE(StayedOpen());
}

}  // namespace
