#include "scene/controls/ComboBox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/ListBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/PopupForm.h"
#include "scene/controls/ScrollBar.h"
#include "scene/controls/WideStrings.h"
#include "scene/core/Variant.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

// A dialog at (100, 50) holding a 173 x 22 string combo box at (20, 20) with 19-high items.
class ComboBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    root_ = NewDialog(dialog_, {100, 50, 400, 300});
    combo_ = new TvxStringComboBox(dialog_);
    combo_->SetParent(root_);
    combo_->SetBounds(20, 20, 173, 22);
    combo_->OnChange = [this](TObject*) { changes_.push_back(combo_->ItemIndex()); };
    dialog_->Show();
  }
  void TearDown() override {
    DeleteDialog(dialog_);
    ControlsTest::TearDown();
  }

  void SetItems(std::vector<std::u16string> items) {
    combo_->Items()->SetStrings(std::move(items));
  }
  TBoundsI PopupBounds() const {
    return static_cast<THeadlessWindow&>(combo_->Popup()->PopupForm()->Window()).Bounds();
  }
  bool IsOpen() const { return combo_->Popup()->IsOpen(); }
  void Key(uint16_t key, char16_t keyChar = 0, TShiftState shift = 0) {
    combo_->KeyDown(key, keyChar, shift);
  }
  void Wheel(int delta) {
    bool handled = false;
    combo_->MouseWheel(0, delta, handled);
    EXPECT_TRUE(handled);
  }

  TForm* dialog_ = nullptr;
  TvxVisualObject* root_ = nullptr;
  TvxStringComboBox* combo_ = nullptr;
  std::vector<int> changes_;
};

TEST_F(ComboBoxTest, ConstructionDefaults) {
  EXPECT_EQ(combo_->Resource(), "comboboxstyle");
  EXPECT_FLOAT_EQ(combo_->ItemHeight(), 19);
  EXPECT_EQ(combo_->DropDownCount(), 8);
  EXPECT_EQ(combo_->TextAlign(), vxTextAlignCenter);
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_FLOAT_EQ(combo_->ListBox()->ItemHeight(), 0);  // the items carry the height
  EXPECT_FALSE(combo_->ListBox()->HideSelectionUnfocused());
  EXPECT_FALSE(combo_->Popup()->Stored());
  auto* plain = new TvxComboBox(dialog_);
  EXPECT_FLOAT_EQ(plain->Width(), 100);
  EXPECT_FLOAT_EQ(plain->Height(), 22);
}

TEST_F(ComboBoxTest, TheListOpensBelowWithRoomForDropDownCountRows) {
  SetItems({u"one", u"two"});
  combo_->DropDown();
  ASSERT_TRUE(IsOpen());
  // 8 × (22 − 4): the list's own item height is 0, whatever the items' height.
  EXPECT_EQ(PopupBounds(), (TBoundsI{120, 92, 173, 144}));
  TvxListBoxItem* second = combo_->ListBox()->ItemByIndex(1);
  EXPECT_EQ(second->Position()->Y(), 19);
  EXPECT_FLOAT_EQ(second->Height(), 19);
  combo_->DropDown();  // toggles
  EXPECT_FALSE(IsOpen());
}

TEST_F(ComboBoxTest, AListItemHeightSizesThePopupByIt) {
  combo_->ListBox()->SetItemHeight(20);
  combo_->SetDropDownCount(3);
  combo_->DropDown();
  EXPECT_EQ(PopupBounds().height, 60);
  combo_->DropDown();
  combo_->SetDropDownCount(0);  // at least one row
  EXPECT_EQ(combo_->DropDownCount(), 1);
}

TEST_F(ComboBoxTest, ASecondPressOnTheBoxClosesTheList) {
  SetItems({u"one", u"two"});
  combo_->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
  EXPECT_TRUE(IsOpen());
  combo_->MouseUp(TMouseButton::mbLeft, 0, 10, 10);
  combo_->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
  EXPECT_FALSE(IsOpen());
  combo_->MouseDown(TMouseButton::mbRight, ssRight, 10, 10);
  EXPECT_FALSE(IsOpen());
}

TEST_F(ComboBoxTest, AReleaseOverAnItemPicksItAndClosesTheList) {
  SetItems({u"one", u"two", u"three"});
  combo_->DropDown();
  TvxComboListBox* list = combo_->ListBox();
  list->MouseDown(TMouseButton::mbLeft, ssLeft, 30, 25);
  list->MouseUp(TMouseButton::mbLeft, 0, 30, 25);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(changes_, (std::vector<int>{1}));
}

TEST_F(ComboBoxTest, AReleaseOutsideTheListClosesItWithoutAChoice) {
  SetItems({u"one", u"two", u"three"});
  combo_->SetItemIndex(0);
  changes_.clear();
  combo_->DropDown();
  TvxComboListBox* list = combo_->ListBox();
  list->MouseDown(TMouseButton::mbLeft, ssLeft, 30, 25);
  list->MouseMove(ssLeft, 30, 44);
  list->MouseUp(TMouseButton::mbLeft, 0, 30, 400);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_TRUE(changes_.empty());
}

TEST_F(ComboBoxTest, EnterInTheListPicksTheCurrentItem) {
  SetItems({u"one", u"two", u"three"});
  combo_->DropDown();
  uint16_t key = vkDown;
  char16_t none = 0;
  combo_->ListBox()->KeyDown(key, none, 0);
  combo_->ListBox()->KeyDown(key = vkDown, none, 0);
  combo_->ListBox()->KeyDown(key = vkReturn, none, 0);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, ChoosingTheSameEntryStillReportsAChange) {
  SetItems({u"one", u"two"});
  combo_->SetItemIndex(1);
  combo_->SetItemIndex(1);
  EXPECT_EQ(changes_, (std::vector<int>{1, 1}));
}

TEST_F(ComboBoxTest, FewerItemsMoveTheIndexToTheLastAndMoreKeepIt) {
  SetItems({u"a", u"b", u"c", u"d"});
  combo_->SetItemIndex(3);
  changes_.clear();
  SetItems({u"x", u"y"});
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->ListBox()->Selected()->Text(), u"y");
  SetItems({u"p", u"q", u"r"});
  EXPECT_EQ(combo_->ItemIndex(), 1);
  SetItems({});
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_TRUE(changes_.empty());  // rebuilding is quiet
}

TEST_F(ComboBoxTest, ItemHeightAndTextAlignRebuildTheEntries) {
  SetItems({u"a", u"b"});
  combo_->SetItemIndex(1);
  combo_->SetItemHeight(25);
  combo_->SetTextAlign(vxTextAlignFar);
  TvxListBoxItem* item = combo_->ListBox()->ItemByIndex(1);
  EXPECT_FLOAT_EQ(item->Height(), 25);
  EXPECT_EQ(item->TextAlign(), vxTextAlignFar);
  EXPECT_EQ(item->Resource(), "listboxitemstyle");
  EXPECT_FALSE(item->Stored());
  EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, KeysAndTheWheelStepThroughTheEntries) {
  SetItems({u"apple", u"Banana", u"cherry"});
  Key(vkDown);
  EXPECT_EQ(combo_->ItemIndex(), 0);
  Key(vkRight);
  Key(vkRight);
  Key(vkRight);  // stays on the last
  EXPECT_EQ(combo_->ItemIndex(), 2);
  Key(vkUp);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  Key(vkHome);
  Key(vkLeft);
  EXPECT_EQ(combo_->ItemIndex(), 0);
  Key(vkEnd);
  EXPECT_EQ(combo_->ItemIndex(), 2);
  Key(0, u'b');
  EXPECT_EQ(combo_->ItemIndex(), 1);
  Wheel(-120);
  EXPECT_EQ(combo_->ItemIndex(), 2);
  Wheel(-120);
  EXPECT_EQ(combo_->ItemIndex(), 2);
  Wheel(120);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_FALSE(IsOpen());
  Key(vkDown, 0, ssAlt);
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, AnEmptyBoxIgnoresKeysAndTheWheel) {
  uint16_t key = vkDown;
  char16_t none = 0;
  combo_->KeyDown(key, none, 0);
  EXPECT_EQ(key, vkDown);
  bool handled = false;
  combo_->MouseWheel(0, -120, handled);
  EXPECT_FALSE(handled);
  EXPECT_TRUE(changes_.empty());
}

TEST_F(ComboBoxTest, BoundDataIsTheCurrentText) {
  SetItems({u"one", u"two"});
  EXPECT_TRUE(std::holds_alternative<std::monostate>(combo_->GetData()));
  combo_->SetItemIndex(1);
  EXPECT_EQ(combo_->GetData(), TVariant(std::string("two")));
  combo_->SetData(TVariant(int64_t(42)));
  EXPECT_EQ(combo_->ListBox()->Selected()->Text(), u"42");
  combo_->SetItemIndex(7);  // out of range: nothing valid is selected
  EXPECT_TRUE(std::holds_alternative<std::monostate>(combo_->GetData()));
}

TEST_F(ComboBoxTest, ThePopupTakesTheBoxsWidth) {
  combo_->SetWidth(210);
  EXPECT_FLOAT_EQ(combo_->Popup()->Width(), 210);
}

// Form data.

class ComboForms : public ControlsTest {
 protected:
  std::unique_ptr<TForm> Read(const std::string& text) {
    auto form = std::make_unique<TForm>(nullptr);
    TObjectReader reader;
    reader.ReadInto(*form, ReadFormText(text));
    for (const std::string& error : reader.Errors()) ADD_FAILURE() << error;
    return form;
  }
};

TEST_F(ComboForms, ItemsAndIndexComeFromFormText) {
  const auto form = Read(R"(object F: TForm
  object vxScene1: TvxScene
    object Root1: TvxBackground
      object C: TvxStringComboBox
        Items.Strings = (
          'a'
          'b'
          'c')
        ItemIndex = 2
        ItemHeight = 25.0
        TextAlign = vxTextAlignNear
      end
      object P: TvxComboBox
        object I1: TvxListBoxItem
          Text = 'first'
        end
        object I2: TvxListBoxItem
          Text = 'second'
        end
      end
    end
  end
end
)");
  auto* strings = dynamic_cast<TvxStringComboBox*>(form->FindComponent("C"));
  ASSERT_NE(strings, nullptr);
  EXPECT_EQ(strings->Items()->Strings(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(strings->ItemIndex(), 2);
  EXPECT_EQ(strings->ListBox()->Selected()->TextAlign(), vxTextAlignNear);
  EXPECT_FLOAT_EQ(strings->ListBox()->Selected()->Height(), 25);
  EXPECT_FLOAT_EQ(strings->ListBox()->ItemHeight(), 0);
  auto* plain = dynamic_cast<TvxComboBox*>(form->FindComponent("P"));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->Count(), 2);
  EXPECT_EQ(dynamic_cast<TvxListBoxItem*>(form->FindComponent("I2"))->ListBox(), plain->ListBox());
}

TEST_F(ComboForms, AnIndexBeyondTheItemsFromFormDataLandsOnTheLast) {
  const auto form = Read(R"(object F: TForm
  object vxScene1: TvxScene
    object Root1: TvxBackground
      object C: TvxStringComboBox
        Items.Strings = (
          'a'
          'b')
        ItemIndex = 9
      end
    end
  end
end
)");
  auto* combo = dynamic_cast<TvxStringComboBox*>(form->FindComponent("C"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ItemIndex(), 1);
}

// Pixels through the raster backend.

std::string ReadSource(const std::string& path) {
  std::ifstream file(std::string(LC_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class ComboPixels : public ComboForms {
 protected:
  void SetUp() override {
    ComboForms::SetUp();
    UseRasterBackend();
    form_ = Read(ReadSource("tests/e2e/combo.form"));
    form_->Show();
    scene_ = dynamic_cast<TvxCustomScene*>(form_->FindComponent("vxScene1"));
    combo_ = dynamic_cast<TvxStringComboBox*>(form_->FindComponent("StringComboBox1"));
    ASSERT_NE(scene_, nullptr);
    ASSERT_NE(combo_, nullptr);
    scene_->SetBounds(0, 0, 300, 300);
  }
  void TearDown() override {
    form_.reset();
    platform_.Advance(50);
    ComboForms::TearDown();
  }
  static uint32_t Pixel(const TPixelFrame& frame, int x, int y) {
    const auto* row = reinterpret_cast<const uint8_t*>(frame.pixels) + size_t(y * frame.stride);
    return reinterpret_cast<const uint32_t*>(row)[x];
  }
  // Pixels of the row band that are brighter than anything the box's background holds: text.
  static int TextPixels(const TPixelFrame& frame, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if ((Pixel(frame, x, y) >> 8 & 255) > 0xB0) ++count;
    return count;
  }

  std::unique_ptr<TForm> form_;
  TvxCustomScene* scene_ = nullptr;
  TvxStringComboBox* combo_ = nullptr;
};

TEST_F(ComboPixels, TheClosedBoxShowsTheCurrentEntryInItsContent) {
  scene_->DrawAll();
  TPixelFrame frame = scene_->Pixels();
  // The box's frame and gradient, and the entry's light text left of the arrow.
  EXPECT_NE(Pixel(frame, 30, 31), 0xFF505050u);
  EXPECT_GT(TextPixels(frame, 22, 22, 170, 40), 10);
  combo_->SetItemIndex(-1);
  scene_->DrawAll();
  frame = scene_->Pixels();
  EXPECT_EQ(TextPixels(frame, 22, 22, 170, 40), 0);
}

TEST_F(ComboPixels, ALongEntryEndsAtTheContentsEdgeBeforeTheArrow) {
  combo_->Items()->SetStrings({u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"});
  combo_->SetItemIndex(0);
  scene_->DrawAll();
  const TPixelFrame frame = scene_->Pixels();
  // The content ends 23 before the box's right edge (x 170); the arrow starts at x 180.
  EXPECT_GT(TextPixels(frame, 150, 22, 170, 40), 10);
  EXPECT_EQ(TextPixels(frame, 171, 22, 180, 40), 0);
}

TEST_F(ComboPixels, TheOpenListDrawsItsEntriesAndTheHighlight) {
  combo_->DropDown();
  ASSERT_TRUE(combo_->Popup()->IsOpen());
  platform_.Advance(300);  // the fade-in
  auto* popupScene = dynamic_cast<TvxCustomScene*>(combo_->Popup()->Scene());
  ASSERT_NE(popupScene, nullptr);
  popupScene->DrawAll();
  const TPixelFrame frame = popupScene->Pixels();
  // The current entry (the first) lies on the orange-brown highlight #FF936639.
  const uint32_t highlighted = Pixel(frame, 8, 10);
  EXPECT_GT(int(highlighted >> 16 & 255), int(highlighted & 255) + 40) << std::hex << highlighted;
  // Four entries of text, and nothing but the list's fill below them.
  for (int row = 0; row < 4; ++row)
    EXPECT_GT(TextPixels(frame, 4, 2 + row * 19, 150, 2 + row * 19 + 19), 5) << row;
  EXPECT_EQ(TextPixels(frame, 4, 100, 150, 140), 0);
}

TEST_F(ComboPixels, ALongListShowsTheDefaultStylesScrollBar) {
  std::vector<std::u16string> many;
  for (int i = 0; i < 12; ++i) many.push_back(u"entry");
  combo_->Items()->SetStrings(many);
  combo_->DropDown();
  platform_.Advance(300);
  TvxScrollBar* bar = combo_->ListBox()->VScrollBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->Visible());
  EXPECT_FLOAT_EQ(bar->Max(), 12 * 19);
  auto* popupScene = dynamic_cast<TvxCustomScene*>(combo_->Popup()->Scene());
  popupScene->DrawAll();
  const TPixelFrame frame = popupScene->Pixels();
  // The thumb sits at the bar's top, lighter than the track below it.
  const TvxRect thumb = bar->ThumbRect();
  const TvxPoint top = bar->LocalToAbsolute({RectWidth(thumb) / 2 + thumb.Left, thumb.Top + 4});
  const TvxPoint track = bar->LocalToAbsolute({top.X - bar->Position()->X(), thumb.Bottom + 10});
  const uint32_t thumbPixel = Pixel(frame, int(top.X), int(top.Y));
  const uint32_t trackPixel = Pixel(frame, int(top.X), int(track.Y));
  EXPECT_GT(int(thumbPixel >> 8 & 255), int(trackPixel >> 8 & 255) + 40)
      << std::hex << thumbPixel << " " << trackPixel;
}

}  // namespace
