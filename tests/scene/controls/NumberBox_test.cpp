#include "scene/controls/NumberBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TextBoxFixture.h"
#include "platform/component/Unicode.h"
#include "scene/controls/SpinBox.h"

namespace {

class NumberBoxTest : public TextBoxTest {
 protected:
  TvxNumberBox* AddBox(float max = 10) {
    TvxNumberBox* box = Add<TvxNumberBox>(u"0");
    box->SetMax(max);
    ResetCounts();
    return box;
  }
  void Drag(TvxNumberBox* box, std::initializer_list<TvxPoint> moves) {
    box->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
    for (const TvxPoint& p : moves) box->MouseMove(ssLeft, p.X, p.Y);
  }
};

using NumberBoxValue = NumberBoxTest;

TEST_F(NumberBoxValue, AFractionShowsOnlyOnFloatBoxes) {
  TvxNumberBox* box = AddBox();
  box->SetValue(3.75f);
  EXPECT_EQ(box->Text(), u"3");
  EXPECT_FLOAT_EQ(box->Value(), 3.75f);
  box->SetValueType(vxValueFloat);
  box->SetValue(0);
  box->SetValue(3.75f);
  EXPECT_EQ(box->Text(), u"3.75");
  box->SetDecimalDigits(1);
  box->SetValue(2.25f);
  EXPECT_EQ(box->Text(), u"2.2");
}

TEST_F(NumberBoxValue, ValuesAreClampedToTheRange) {
  TvxNumberBox* box = AddBox(59);
  box->SetValue(59.5f);
  EXPECT_EQ(box->Value(), 59);
  box->SetValue(58.5f);
  EXPECT_FLOAT_EQ(box->Value(), 58.5f);
  box->SetValue(-0.5f);
  EXPECT_EQ(box->Value(), 0);
  box->SetValue(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(box->Value(), 0);
  EXPECT_EQ(box->Text(), u"0");
}

TEST_F(NumberBoxValue, ChangingTheRangeKeepsTheValue) {
  TvxNumberBox* box = AddBox(59);
  box->SetValue(50);
  box->SetMax(20);
  box->SetMin(55);
  EXPECT_EQ(box->Value(), 50);
}

TEST_F(NumberBoxValue, SettingTheValueNeitherTracksNorMarksAChange) {
  TvxNumberBox* box = AddBox();
  box->SetFocus();
  box->SetValue(4);
  EXPECT_EQ(box->Text(), u"4");
  EXPECT_EQ(trackings, 0);
  EXPECT_FALSE(box->Changed());
  EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(NumberBoxValue, FormDataMayNameTheValueBeforeItsRange) {
  TvxResources* holder =
      Container("object TvxNumberBox\n  Value = 30.0\n  Max = 59.0\n  HorzIncrement = 1.0\nend\n");
  auto* box = dynamic_cast<TvxNumberBox*>(holder->Root());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Value(), 30);
  EXPECT_EQ(box->Text(), u"30");
  TvxResources* over = Container("object TvxNumberBox\n  Value = 70.0\n  Max = 59.0\nend\n");
  auto* clamped = dynamic_cast<TvxNumberBox*>(over->Root());
  ASSERT_NE(clamped, nullptr);
  EXPECT_EQ(clamped->Value(), 59);
  EXPECT_EQ(clamped->Text(), u"59");
}

using NumberBoxCommit = NumberBoxTest;

TEST_F(NumberBoxCommit, EnterReadsTheTypedNumber) {
  TvxNumberBox* box = AddBox(59);
  box->SetFocus();
  Type(box, u"7");
  Key(box, vkReturn);
  EXPECT_EQ(box->Value(), 7);
  EXPECT_EQ(changes, 1);
}

TEST_F(NumberBoxCommit, TheClampedValueReachesBoundBoxes) {
  TvxNumberBox* box = AddBox(59);
  TvxNumberBox* mirror = AddBox(100);
  mirror->SetBindingSource(box);
  box->SetFocus();
  Type(box, u"99");
  Key(box, vkReturn);
  EXPECT_EQ(box->Value(), 59);
  EXPECT_EQ(mirror->Value(), 59);
  EXPECT_EQ(mirror->Text(), u"59");
}

TEST_F(NumberBoxCommit, ANumberBeyondTheRangeIsClampedAtFocusLoss) {
  TvxNumberBox* box = AddBox(59);
  TvxNumberBox* other = AddBox();
  box->SetFocus();
  Type(box, u"99");
  other->SetFocus();
  EXPECT_EQ(box->Value(), 59);
  EXPECT_EQ(box->Text(), u"59");
  EXPECT_EQ(changes, 1);
}

TEST_F(NumberBoxCommit, AnIntegerBoxKeepsTheFractionButShowsTheWholeNumber) {
  TvxNumberBox* box = AddBox();
  box->SetFocus();
  Type(box, u"2.5");
  box->Change();
  EXPECT_EQ(box->Text(), u"2");
  EXPECT_FLOAT_EQ(box->Value(), 2.5f);
}

TEST_F(NumberBoxCommit, AFloatBoxShowsTheShortestText) {
  TvxNumberBox* box = AddBox();
  box->SetValueType(vxValueFloat);
  box->SetDecimalDigits(4);
  box->SetFocus();
  Type(box, u"0.1");
  box->Change();
  EXPECT_EQ(box->Text(), u"0.1");
}

TEST_F(NumberBoxCommit, LettersCannotBeTypedAndPastedOnesFallBack) {
  TvxNumberBox* box = AddBox(59);
  box->SetValue(5);
  box->SetFocus();
  Type(box, u"a");
  EXPECT_EQ(box->Text(), u"5");
  Clipboard().SetText(u"12ab");
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"12ab");
  box->Change();
  EXPECT_EQ(box->Text(), u"5");
  EXPECT_EQ(box->Value(), 5);
}

TEST_F(NumberBoxCommit, NumberTextsAreStrict) {
  float value = 0;
  EXPECT_TRUE(ParseNumber(u" +1.5e1 ", value));
  EXPECT_FLOAT_EQ(value, 15);
  EXPECT_TRUE(ParseNumber(u"1e300", value));
  EXPECT_EQ(value, std::numeric_limits<float>::max());
  for (const char16_t* bad :
       {u"", u"  ", u"1,5", u"inf", u"nan", u"1e999", u"--1", u"+-1", u"1.2.3", u"12ab"}) {
    SCOPED_TRACE(Utf16ToUtf8(bad));
    EXPECT_FALSE(ParseNumber(bad, value));
  }
}

using NumberBoxKeys = NumberBoxTest;

TEST_F(NumberBoxKeys, ArrowsStepByTheHorizontalIncrement) {
  TvxNumberBox* box = AddBox(59);
  box->SetVertIncrement(5);
  box->SetValue(10);
  uint16_t key = vkUp;
  char16_t ch = 0;
  box->KeyDown(key, ch, 0);
  EXPECT_EQ(box->Value(), 11);
  EXPECT_EQ(key, 0);
  Key(box, vkDown);
  Key(box, vkDown);
  EXPECT_EQ(box->Value(), 9);
  EXPECT_EQ(box->Text(), u"9");
}

TEST_F(NumberBoxKeys, AnArrowStepIsCommittedWhenTheFocusLeaves) {
  TvxNumberBox* box = AddBox(59);
  TvxNumberBox* other = AddBox();
  box->SetFocus();
  Key(box, vkUp);
  other->SetFocus();
  EXPECT_EQ(changes, 1);
}

TEST_F(NumberBoxKeys, TheWheelLeavesTheValue) {
  TvxNumberBox* box = AddBox(59);
  bool handled = false;
  box->MouseWheel(0, 120, handled);
  EXPECT_EQ(box->Value(), 0);
}

using NumberBoxDrag = NumberBoxTest;

TEST_F(NumberBoxDrag, SidewaysStepsOncePerEventAndStopsAtMax) {
  TvxNumberBox* box = AddBox(59);
  box->SetValue(58);
  Drag(box, {{11, 10}, {40, 10}, {60, 12}});
  EXPECT_EQ(box->Value(), 59);
  EXPECT_EQ(box->Text(), u"59");
  box->MouseUp(TMouseButton::mbLeft, 0, 60, 12);
  EXPECT_FALSE(box->IsDragging());
  EXPECT_EQ(changes, 1);
}

TEST_F(NumberBoxDrag, UpAndDownStepByTheVerticalIncrement) {
  TvxNumberBox* box = AddBox(59);
  box->SetValue(20);
  Drag(box, {{10, 5}});
  EXPECT_EQ(box->Value(), 25);
  Drag(box, {{11, 30}});
  EXPECT_EQ(box->Value(), 20);
  Drag(box, {{0, 10}, {0, 10}});  // left, then no movement: both step down
  EXPECT_EQ(box->Value(), 18);
  Drag(box, {{5, 5}});  // a tie counts as sideways
  EXPECT_EQ(box->Value(), 17);
}

TEST_F(NumberBoxDrag, NeverLeavesTheRange) {
  TvxNumberBox* box = AddBox(23);
  Drag(box, {{10, 40}, {10, 80}});
  EXPECT_EQ(box->Value(), 0);
  Drag(box, {{10, -100}, {10, -200}, {10, -300}, {10, -400}, {10, -500}, {10, -600}});
  EXPECT_EQ(box->Value(), 23);
}

TEST_F(NumberBoxDrag, TheBarFollowsTheLastDirection) {
  TvxNumberBox* box = AddBox(59);
  box->SetWidth(100);
  box->SetHeight(22);
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
  canvas_.fills.clear();
  box->AfterPaint();
  ASSERT_EQ(canvas_.fills.size(), 1u);
  EXPECT_EQ(canvas_.fills.back(), (TvxRect{1, 16, 99, 21}));
  EXPECT_EQ(canvas_.fillColors.back(), 0xAA505050u);
  box->MouseMove(ssLeft, 10, 0);
  box->AfterPaint();
  EXPECT_EQ(canvas_.fills.back(), (TvxRect{94, 1, 99, 21}));
  box->MouseUp(TMouseButton::mbLeft, 0, 10, 0);
  canvas_.fills.clear();
  box->AfterPaint();
  EXPECT_TRUE(canvas_.fills.empty());
}

TEST_F(NumberBoxDrag, DataIsTheValue) {
  TvxNumberBox* box = AddBox(59);
  box->SetData(std::string("12"));
  EXPECT_EQ(box->Value(), 12);
  box->SetData(40.0);
  EXPECT_EQ(std::get<double>(box->GetData()), 40.0);
  box->SetData(1e300);
  EXPECT_EQ(box->Value(), 59);
}

// ---- spin box ----------------------------------------------------------------------------------

const char* const kSpinStyle = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'spinboxstyle'
    HitTest = False
    object TvxLayout
      ResourceName = 'minusbutton'
    end
    object TvxLayout
      ResourceName = 'plusbutton'
    end
  end
end
)";

class SpinBoxTest : public TextBoxTest {
 protected:
  TvxSpinBox* AddSpin() {
    scene_.SetStyle(Container(kSpinStyle));
    TvxSpinBox* box = Add<TvxSpinBox>(u"0");
    box->SetMax(10);
    ResetCounts();
    return box;
  }
  TvxVisualObject* Part(TvxSpinBox* box, const char* name) {
    return dynamic_cast<TvxVisualObject*>(box->FindResource(name));
  }
};

TEST_F(SpinBoxTest, ButtonsFocusStepAndCommit) {
  TvxSpinBox* box = AddSpin();
  box->SetIncrement(2);
  ASSERT_NE(Part(box, "plusbutton"), nullptr);
  Part(box, "plusbutton")->Click();
  EXPECT_TRUE(box->IsFocused());
  EXPECT_EQ(box->Value(), 2);
  EXPECT_EQ(changes, 1);
  Part(box, "minusbutton")->Click();
  Part(box, "minusbutton")->Click();
  EXPECT_EQ(box->Value(), 0);
  EXPECT_EQ(box->Text(), u"0");
}

TEST_F(SpinBoxTest, ArrowsStepByTheIncrementAndTheTextIsCentred) {
  TvxSpinBox* box = AddSpin();
  EXPECT_EQ(box->TextAlign(), vxTextAlignCenter);
  box->SetValueType(vxValueFloat);
  box->SetIncrement(0.5f);
  Key(box, vkUp);
  EXPECT_EQ(box->Text(), u"0.50");
  box->SetValueType(vxValueInteger);
  EXPECT_EQ(box->Increment(), 1);
  Key(box, vkUp);
  EXPECT_EQ(box->Text(), u"1");
}

TEST_F(SpinBoxTest, ARestyledBoxLetsGoOfItsOldButtons) {
  TvxSpinBox* box = AddSpin();
  box->UpdateStyle();
  ASSERT_NE(Part(box, "plusbutton"), nullptr);
  Part(box, "plusbutton")->Click();
  EXPECT_EQ(box->Value(), 1);
}

}  // namespace
