#include "scene/controls/ListBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "scene/controls/Background.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/ScrollBar.h"
#include "scene/core/ObjectText.h"

namespace {

// A 100 x 100 list whose viewport is the whole list ("transparentlistboxstyle").
class ListBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 300, 300);
    scene_.SetRoot(root_);
    list_ = new TvxListBox(&owner_);
    root_->AddObject(list_);
    list_->SetResource("transparentlistboxstyle");
    list_->ApplyResource();
    list_->SetHideSelectionUnfocused(false);
    list_->SetAnimated(false);
  }

  std::vector<TvxListBoxItem*> AddItems(std::initializer_list<const char16_t*> texts) {
    std::vector<TvxListBoxItem*> items;
    for (const char16_t* text : texts) {
      auto* item = new TvxListBoxItem(&owner_);
      item->SetText(text);
      list_->AddObject(item);
      items.push_back(item);
    }
    return items;
  }
  std::vector<TvxListBoxItem*> AddNumbered(int count) {
    std::vector<TvxListBoxItem*> items;
    for (int i = 0; i < count; ++i) {
      std::u16string text = u"item";
      text += char16_t(u'A' + i % 26);
      auto* item = new TvxListBoxItem(&owner_);
      item->SetText(text);
      list_->AddObject(item);
      items.push_back(item);
    }
    return items;
  }
  // The highlight copies now shown, in the viewport's coordinates.
  std::vector<TvxRect> Highlights() const {
    std::vector<TvxRect> shown;
    TvxVisualObject* port = list_->Viewport();
    for (int i = 0; i < port->ChildrenCount(); ++i) {
      auto* copy = dynamic_cast<TvxVisualObject*>(port->Children(i));
      if (copy && copy->Visible() && copy->ResourceName() == "selection" && !copy->Stored())
        shown.push_back({copy->Position()->X(), copy->Position()->Y(),
                         copy->Position()->X() + copy->Width(),
                         copy->Position()->Y() + copy->Height()});
    }
    return shown;
  }
  TvxObject* FromText(const std::string& text) {
    TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
    return CreateObjectFromStream(&owner_, stream);
  }
  static TvxPoint At(const TvxListBoxItem* item) { return item->Position()->Point(); }
  void Click(float x, float y, TShiftState shift = 0) {
    list_->MouseDown(TMouseButton::mbLeft, shift | ssLeft, x, y);
    list_->MouseUp(TMouseButton::mbLeft, shift, x, y);
  }
  void Key(uint16_t key, char16_t keyChar = 0, TShiftState shift = 0) {
    list_->KeyDown(key, keyChar, shift);
  }

  TStyleScene scene_;
  TvxBackground* root_ = nullptr;
  TvxListBox* list_ = nullptr;
};

TEST_F(ListBoxTest, ConstructionDefaults) {
  auto* fresh = new TvxListBox(&owner_);
  EXPECT_FLOAT_EQ(fresh->Width(), 100);
  EXPECT_FLOAT_EQ(fresh->Height(), 100);
  EXPECT_EQ(fresh->ItemIndex(), -1);
  EXPECT_EQ(fresh->Columns(), 1);
  EXPECT_TRUE(fresh->HideSelectionUnfocused());
  EXPECT_TRUE(fresh->AutoHide());
  EXPECT_TRUE(fresh->Animated());
  EXPECT_TRUE(fresh->ShowScrollBars());
  EXPECT_EQ(fresh->ItemClass(), "TvxListBoxItem");
  auto* item = new TvxListBoxItem(&owner_);
  EXPECT_FLOAT_EQ(item->Width(), 19);
  EXPECT_FLOAT_EQ(item->Height(), 19);
  EXPECT_EQ(item->Position()->Point(), (TvxPoint{5000, 5000}));
  EXPECT_FALSE(item->HitTest());
  EXPECT_EQ(item->TextAlign(), vxTextAlignNear);
}

// Layout.

TEST_F(ListBoxTest, ItemsGoIntoTheContentAndLineUpInRows) {
  list_->SetColumns(3);
  list_->SetItemHeight(20);
  const auto items = AddNumbered(7);
  EXPECT_EQ(items[0]->Parent(), list_->Content());
  EXPECT_EQ(list_->Count(), 7);
  const float column = 100.0f / 3;
  EXPECT_EQ(At(items[0]), (TvxPoint{0, 0}));
  EXPECT_EQ(At(items[4]), (TvxPoint{column, 20}));
  EXPECT_EQ(At(items[6]), (TvxPoint{0, 40}));
  EXPECT_FLOAT_EQ(items[4]->Width(), column);
  EXPECT_FLOAT_EQ(list_->Content()->Height(), 60);  // three rows
}

TEST_F(ListBoxTest, RowsTakeTheTallestItemAndItemPadding) {
  list_->SetColumns(2);
  const auto items = AddNumbered(4);
  items[1]->SetHeight(30);
  items[2]->Padding()->SetRect({2, 3, 4, 5});
  EXPECT_FLOAT_EQ(At(items[2]).X, 2);
  EXPECT_FLOAT_EQ(At(items[2]).Y, 30 + 3);
  EXPECT_FLOAT_EQ(items[2]->Width(), 50 - 6);
  EXPECT_FLOAT_EQ(list_->Content()->Height(), 30 + (19 + 8));
}

TEST_F(ListBoxTest, ItemWidthDecidesTheColumns) {
  AddNumbered(5);
  const std::pair<float, int> cases[] = {{50, 2}, {49.9f, 2}, {33.4f, 2}, {33.3f, 3},
                                         {25, 4}, {100, 1},   {101, 1}};
  for (const auto& [width, columns] : cases) {
    list_->SetItemWidth(width);
    EXPECT_EQ(list_->Columns(), columns) << width;
    EXPECT_FLOAT_EQ(list_->ItemByIndex(1)->Width(), width);
  }
}

TEST_F(ListBoxTest, SettingsRefuseValuesTheyCannotHold) {
  list_->SetColumns(0);
  EXPECT_EQ(list_->Columns(), 1);
  list_->SetColumns(-5);
  EXPECT_EQ(list_->Columns(), 1);
  list_->SetColumns(int64_t(1) << 40);
  EXPECT_EQ(list_->Columns(), 1 << 16);
  list_->SetItemHeight(std::nanf(""));
  EXPECT_EQ(list_->ItemHeight(), 0);
  list_->SetItemWidth(-3);
  EXPECT_EQ(list_->ItemWidth(), 0);
  list_->SetItemIndex(-7);
  EXPECT_EQ(list_->ItemIndex(), -1);
}

TEST_F(ListBoxTest, SortingOrdersByTextIgnoringCaseOrByOnCompare) {
  AddItems({u"b", u"C", u"a"});
  list_->SetItemIndex(0);  // "b"
  list_->SetSorted(true);
  EXPECT_EQ(list_->ItemByIndex(0)->Text(), u"a");
  EXPECT_EQ(list_->ItemByIndex(2)->Text(), u"C");
  EXPECT_EQ(list_->Selected()->Text(), u"b");  // the current item moved with its text
  list_->OnCompare = [](TObject*, TvxListBoxItem*, TvxListBoxItem*, int& order) { order = -order; };
  list_->RealignContent();
  EXPECT_EQ(list_->ItemByIndex(0)->Text(), u"C");
}

// Scroll bars.

TEST_F(ListBoxTest, TheVerticalBarAppearsOnlyWhileTheContentOverflows) {
  list_->SetItemHeight(20);
  AddNumbered(5);  // exactly the viewport's height
  TvxScrollBar* bar = list_->VScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->Visible());
  AddNumbered(1);  // one row more than fits
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(bar->Enabled());
  EXPECT_FLOAT_EQ(bar->Max(), 120);
  EXPECT_FLOAT_EQ(bar->ViewportSize(), 100);
  EXPECT_FLOAT_EQ(bar->SmallChange(), 20);
  // Without AutoHide the bar stays, disabled while the content fits.
  list_->SetAutoHide(false);
  delete list_->ItemByIndex(0);
  EXPECT_TRUE(bar->Visible());
  EXPECT_FALSE(bar->Enabled());
}

TEST_F(ListBoxTest, HiddenScrollBarsStillScrollButTakeNoRoomOrPresses) {
  list_->SetShowScrollBars(false);
  list_->SetItemHeight(20);
  AddNumbered(10);
  TvxScrollBar* bar = list_->VScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Opacity(), 0);
  EXPECT_FALSE(bar->HitTest());
  EXPECT_EQ(bar->Align(), vaNone);
  EXPECT_FLOAT_EQ(list_->ItemByIndex(0)->Width(), 100);
  list_->SetItemIndex(9);
  EXPECT_FLOAT_EQ(bar->Value(), 100);
}

TEST_F(ListBoxTest, TheWheelGlidesThreeFifthsOfTheViewportPerNotch) {
  list_->SetItemHeight(20);
  AddNumbered(20);  // 400 high under a 100 high viewport
  list_->SetAnimated(true);
  bool handled = false;
  list_->MouseWheel(0, -120, handled);
  EXPECT_TRUE(handled);
  TvxScrollBar* bar = list_->VScrollBar();
  EXPECT_FLOAT_EQ(bar->Value(), 0);  // the glide has only begun
  platform_.Advance(100);
  EXPECT_GT(bar->Value(), 0);
  EXPECT_LT(bar->Value(), 60);
  platform_.Advance(300);
  EXPECT_FLOAT_EQ(bar->Value(), 60);
  EXPECT_FLOAT_EQ(list_->Content()->Position()->Y(), -60);
  // Two notches at once, then one back, without animation.
  list_->SetAnimated(false);
  list_->MouseWheel(0, -240, handled = false);
  EXPECT_FLOAT_EQ(bar->Value(), 180);
  list_->MouseWheel(0, 120, handled = false);
  EXPECT_FLOAT_EQ(bar->Value(), 120);
  // The end of the range holds.
  list_->MouseWheel(0, -1200, handled = false);
  EXPECT_FLOAT_EQ(bar->Value(), 300);
  list_->SetDisableMouseWheel(true);
  handled = false;
  list_->MouseWheel(0, 120, handled);
  EXPECT_FALSE(handled);
  EXPECT_FLOAT_EQ(bar->Value(), 300);
}

// Selection.

TEST_F(ListBoxTest, SelectingScrollsTheItemIntoViewAndHighlightsIt) {
  list_->SetItemHeight(20);
  const auto items = AddNumbered(10);
  std::vector<TObject*> senders;
  list_->OnChange = [&](TObject* sender) { senders.push_back(sender); };
  list_->SetItemIndex(7);  // 140..160, below the viewport
  EXPECT_TRUE(items[7]->IsSelected());
  EXPECT_FLOAT_EQ(list_->VScrollBar()->Value(), 60);
  ASSERT_EQ(Highlights().size(), 1u);
  EXPECT_EQ(Highlights()[0], (TvxRect{0, 80, list_->ViewportRect().Right, 100}));
  list_->SetItemIndex(1);  // above the viewport: it starts at the top
  EXPECT_FALSE(items[7]->IsSelected());
  EXPECT_FLOAT_EQ(list_->VScrollBar()->Value(), 20);
  EXPECT_EQ(senders, (std::vector<TObject*>{items[7], items[1]}));
  list_->SetItemIndex(1);  // unchanged: no event
  EXPECT_EQ(senders.size(), 2u);
}

TEST_F(ListBoxTest, TheHighlightFollowsScrollingAndLeavesWithTheItem) {
  list_->SetItemHeight(20);
  AddNumbered(10);
  list_->SetItemIndex(0);
  list_->VScrollBar()->SetValue(10);
  ASSERT_EQ(Highlights().size(), 1u);
  EXPECT_FLOAT_EQ(Highlights()[0].Top, -10);  // clipped by the viewport
  list_->VScrollBar()->SetValue(20);          // its bottom edge meets the viewport's top
  EXPECT_TRUE(Highlights().empty());
}

TEST_F(ListBoxTest, AnUnfocusedListHidesItsHighlightWhenAsked) {
  AddNumbered(3);
  list_->SetItemIndex(1);
  EXPECT_EQ(Highlights().size(), 1u);
  list_->SetHideSelectionUnfocused(true);
  EXPECT_TRUE(Highlights().empty());
}

TEST_F(ListBoxTest, ItemsSelectThemselves) {
  const auto items = AddNumbered(3);
  items[2]->SetIsSelected(true);
  EXPECT_EQ(list_->ItemIndex(), 2);
  items[1]->SetIsSelected(true);
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_FALSE(items[2]->IsSelected());
  items[1]->SetIsSelected(false);
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_TRUE(Highlights().empty());
}

TEST_F(ListBoxTest, PressesSelectAndFireTheItemsClick) {
  list_->SetItemHeight(20);
  const auto items = AddNumbered(4);
  int clicks = 0;
  items[2]->OnClick = [&](TObject*) { ++clicks; };
  Click(50, 45);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  Click(50, 95);  // below the last item
  EXPECT_EQ(list_->ItemIndex(), 2);
  // Moving with the button held selects what passes under the pointer.
  list_->MouseDown(TMouseButton::mbLeft, ssLeft, 50, 5);
  list_->MouseMove(ssLeft, 50, 65);
  EXPECT_EQ(list_->ItemIndex(), 3);
  list_->MouseUp(TMouseButton::mbLeft, 0, 50, 65);
  list_->MouseMove(0, 50, 25);
  EXPECT_EQ(list_->ItemIndex(), 3);
}

TEST_F(ListBoxTest, MouseTrackingSelectsOnRelease) {
  list_->SetMouseTracking(true);
  list_->SetItemHeight(20);
  AddNumbered(4);
  list_->MouseDown(TMouseButton::mbLeft, ssLeft, 50, 25);
  EXPECT_EQ(list_->ItemIndex(), -1);
  list_->MouseUp(TMouseButton::mbLeft, 0, 50, 25);
  EXPECT_EQ(list_->ItemIndex(), 1);
}

TEST_F(ListBoxTest, CtrlTogglesAndShiftSelectsARunThatShowsAsOne) {
  list_->SetMultiSelect(true);
  list_->SetItemHeight(20);
  const auto items = AddNumbered(5);
  Click(50, 5);
  Click(50, 45, ssShift);  // items 0..2
  EXPECT_TRUE(items[0]->IsSelected() && items[1]->IsSelected() && items[2]->IsSelected());
  EXPECT_EQ(list_->ItemIndex(), 2);
  ASSERT_EQ(Highlights().size(), 1u);
  EXPECT_EQ(Highlights()[0].Top, 0);
  EXPECT_EQ(Highlights()[0].Bottom, 60);
  Click(50, 25, ssCtrl);  // item 1 off: two runs
  EXPECT_FALSE(items[1]->IsSelected());
  EXPECT_EQ(Highlights().size(), 2u);
  Click(50, 85, ssCtrl);  // item 4 on
  EXPECT_TRUE(items[4]->IsSelected());
  EXPECT_TRUE(items[2]->IsSelected());
  EXPECT_EQ(Highlights().size(), 3u);
  Click(50, 65);  // a plain press selects just item 3
  for (int i = 0; i < 5; ++i) EXPECT_EQ(items[size_t(i)]->IsSelected(), i == 3) << i;
  EXPECT_EQ(Highlights().size(), 1u);
}

TEST_F(ListBoxTest, RunsOfSelectedItemsBreakAtTheEndOfARow) {
  list_->SetMultiSelect(true);
  list_->SetColumns(2);
  list_->SetItemHeight(20);
  AddNumbered(4);
  list_->SelectRange(1, 2);  // the end of row 0 and the start of row 1
  EXPECT_EQ(Highlights().size(), 2u);
  list_->ClearSelection();
  EXPECT_TRUE(Highlights().empty());
}

// Keys.

TEST_F(ListBoxTest, KeysMoveByItemsAndRows) {
  list_->SetColumns(7);
  AddNumbered(42);
  struct Step {
    uint16_t key;
    int expected;
  };
  const Step steps[] = {{vkRight, 0}, {vkDown, 7},   {vkDown, 14}, {vkRight, 15}, {vkLeft, 14},
                        {vkUp, 7},    {vkUp, 0},     {vkUp, 0},    {vkLeft, 0},   {vkEnd, 35},
                        {vkDown, 41}, {vkRight, 41}, {vkHome, 0}};
  for (const Step& step : steps) {
    uint16_t key = step.key;
    char16_t none = 0;
    list_->KeyDown(key, none, 0);
    EXPECT_EQ(list_->ItemIndex(), step.expected) << step.key;
    EXPECT_EQ(key, 0);  // consumed
  }
}

TEST_F(ListBoxTest, ACharacterSelectsTheFirstItemWithThatInitial) {
  AddItems({u"apple", u"Banana", u"blue", u"cherry"});
  Key(0, u'b');
  EXPECT_EQ(list_->ItemIndex(), 1);
  Key(0, u'C');
  EXPECT_EQ(list_->ItemIndex(), 3);
  Key(0, u'z');  // no such item: the index stays
  EXPECT_EQ(list_->ItemIndex(), 3);
  uint16_t key = vkTab;  // not the list's
  char16_t none = 0;
  list_->KeyDown(key, none, 0);
  EXPECT_EQ(key, vkTab);
}

TEST_F(ListBoxTest, EndWithFewerItemsThanColumnsStaysOnTheFirst) {
  list_->SetColumns(7);
  AddNumbered(3);
  Key(vkEnd);
  EXPECT_EQ(list_->ItemIndex(), 0);
}

TEST_F(ListBoxTest, AnEmptyListTakesNoKeys) {
  uint16_t key = vkDown;
  char16_t none = 0;
  list_->KeyDown(key, none, 0);
  EXPECT_EQ(key, vkDown);
  EXPECT_EQ(list_->ItemIndex(), -1);
}

// Check boxes.

TEST_F(ListBoxTest, TheItemsCheckBoxFollowsTheItemAndReportsToTheList) {
  list_->SetShowCheckboxes(true);
  const auto items = AddNumbered(3);
  items[1]->ApplyResource();
  auto* check = dynamic_cast<TvxCheckBox*>(items[1]->FindResource("check"));
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->Visible());
  items[1]->SetIsChecked(true);
  EXPECT_TRUE(check->IsChecked());
  std::vector<TObject*> senders;
  list_->OnChangeCheck = [&](TObject* sender) { senders.push_back(sender); };
  check->SetIsChecked(false);
  EXPECT_FALSE(items[1]->IsChecked());
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(senders, (std::vector<TObject*>{items[1]}));
  list_->SetShowCheckboxes(false);
  EXPECT_FALSE(check->Visible());
}

TEST_F(ListBoxTest, ClearFreesEveryItem) {
  AddNumbered(4);
  list_->SetItemIndex(2);
  list_->Clear();
  EXPECT_EQ(list_->Count(), 0);
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_TRUE(Highlights().empty());
}

TEST_F(ListBoxTest, FormDataBuildsAListWithItsItems) {
  TvxObject* made = FromText(R"(object L: TvxListBox
  Width = 140.0
  Height = 60.0
  Columns = 2
  ItemHeight = 19.0
  ItemIndex = 2
  HideSelectionUnfocused = False
  Resource = 'transparentlistboxstyle'
  object TvxListBoxItem
    Text = 'one'
  end
  object TvxListBoxItem
    Text = 'two'
  end
  object TvxListBoxItem
    Text = 'three'
  end
end
)");
  auto* list = dynamic_cast<TvxListBox*>(made);
  ASSERT_NE(list, nullptr);
  root_->AddObject(list);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_TRUE(list->ItemByIndex(2)->IsSelected());
  list->ApplyResource();
  EXPECT_EQ(At(list->ItemByIndex(2)), (TvxPoint{0, 19}));
}

}  // namespace
