#include "scene/controls/PopupBox.h"

#include <gtest/gtest.h>

#include "ControlsTesting_support.h"
#include "platform/headless/HeadlessMenuService.h"

namespace {

class PopupBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    previous_ = InstallMenuService(&menus_);
    box_ = new TvxPopupBox(&owner_);
    box_->SetBounds(10, 20, 40, 19);
    box_->SetItems({u"2009", u"2010", u"2011"});
    box_->OnChange = [this](TObject*) { ++changes_; };
  }
  void TearDown() override {
    InstallMenuService(previous_);
    ControlsTest::TearDown();
  }

  THeadlessMenuService menus_;
  IMenuService* previous_ = nullptr;
  TvxPopupBox* box_ = nullptr;
  int changes_ = 0;
};

TEST_F(PopupBoxTest, ClickOffersEveryItemBelowTheBoxWithTheCurrentOneChecked) {
  box_->SetItemIndex(1);
  EXPECT_EQ(u"2010", box_->Text());
  box_->Click();
  ASSERT_EQ(1u, menus_.Requests().size());
  const auto& request = menus_.Requests().back();
  EXPECT_EQ(10, request.x);
  EXPECT_EQ(39, request.y);
  TMenuItem& root = request.menu->Items();
  ASSERT_EQ(3, root.Count());
  EXPECT_EQ("2009", root.Items(0)->Caption());
  EXPECT_FALSE(root.Items(0)->Checked());
  EXPECT_TRUE(root.Items(1)->Checked());
}

TEST_F(PopupBoxTest, ChoosingAnItemMakesItCurrentAndFiresOnChangeEvenWhenUnchanged) {
  box_->SetItemIndex(1);
  box_->Click();
  ASSERT_TRUE(menus_.Choose("2011"));
  EXPECT_EQ(2, box_->ItemIndex());
  EXPECT_EQ(u"2011", box_->Text());
  EXPECT_EQ(1, changes_);
  box_->Click();  // the menu is built afresh: one entry per item, the new one checked
  EXPECT_EQ(3, menus_.Requests().back().menu->Items().Count());
  EXPECT_TRUE(menus_.Requests().back().menu->Items().Items(2)->Checked());
  ASSERT_TRUE(menus_.Choose("2011"));
  EXPECT_EQ(2, changes_);
}

TEST_F(PopupBoxTest, IndexesOutsideTheItemsMeanNone) {
  box_->SetItemIndex(3);
  EXPECT_EQ(-1, box_->ItemIndex());
  EXPECT_EQ(u"", box_->Text());
  box_->SetItemIndex(-2);
  EXPECT_EQ(-1, box_->ItemIndex());
  box_->SetItemIndex(2);
  box_->SetItems({u"a", u"b"});
  EXPECT_EQ(-1, box_->ItemIndex());
  box_->SetItemIndex(1);
  box_->SetItems({u"x", u"y", u"z"});
  EXPECT_EQ(u"y", box_->Text());
  EXPECT_EQ(0, changes_);
}

TEST_F(PopupBoxTest, WithoutItemsNoMenuIsShown) {
  box_->SetItems({});
  box_->Click();
  EXPECT_TRUE(menus_.Requests().empty());
}

}  // namespace
