#include "scene/controls/Calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "platform/component/Unicode.h"
#include "platform/headless/HeadlessMenuService.h"
#include "scene/controls/Button.h"
#include "scene/controls/CalendarBox.h"
#include "scene/controls/CalendarTextBox.h"
#include "scene/controls/Label.h"
#include "scene/controls/ListBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/Popup.h"
#include "scene/controls/PopupBox.h"
#include "scene/graphics/GridLayout.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

const TDateTime kAfternoon = EncodeTime(13, 45, 10, 0);

std::string Utf8(const std::u16string& text) {
  return Utf16ToUtf8(text);
}

// Sees the firings of the events it watches, as a tracing tool would, handler or not.
class TEventRecorder : public IEventWatcher {
 public:
  void Watch(TObject& object, std::string_view event) {
    const TPropInfo* prop = object.ClassType().FindProp(event);
    ASSERT_NE(prop, nullptr) << event;
    prop->watch(object, this);
  }
  void EventFired(TObject& sender, const TPropInfo& event) override {
    seen.push_back(event.name + " " + sender.ClassName());
  }
  std::vector<std::string> seen;
};

// A calendar made at 2010-11-29 13:45:10 (the headless locale is zh_CN unless a test says).
class CalendarTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    platform_.Clock().SetNow(EncodeDate(2010, 11, 29) + kAfternoon);
    previousMenus_ = InstallMenuService(&menus_);
  }
  void TearDown() override {
    InstallMenuService(previousMenus_);
    ControlsTest::TearDown();
  }

  TvxCalendar* NewCalendar() {
    auto* calendar = new TvxCalendar(&owner_);
    calendar->OnChange = [this](TObject*) { ++changes_; };
    calendar->OnDayChange = [this](TObject*) { ++dayChanges_; };
    return calendar;
  }
  static std::string Cell(TvxCalendar& calendar, int cell) {
    return Utf8(calendar.Days().ItemByIndex(cell)->Text());
  }
  static float CellOpacity(TvxCalendar& calendar, int cell) {
    return calendar.Days().ItemByIndex(cell)->Opacity();
  }

  THeadlessMenuService menus_;
  IMenuService* previousMenus_ = nullptr;
  int changes_ = 0;
  int dayChanges_ = 0;
};

TEST_F(CalendarTest, StartsAtNowWithItsPartsBuiltInCode) {
  TvxCalendar* calendar = NewCalendar();
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 11, 29) + kAfternoon, calendar->Date());
  EXPECT_FLOAT_EQ(180, calendar->Width());
  EXPECT_FLOAT_EQ(160, calendar->Height());
  EXPECT_EQ("transparentcirclebuttonstyle", calendar->TodayButton().Resource());
  EXPECT_TRUE(calendar->NextButton().RepeatClick());
  EXPECT_EQ("transparentlistboxstyle", calendar->Days().Resource());
  EXPECT_EQ(42, calendar->Days().Count());
  EXPECT_EQ(7, calendar->Days().Columns());
  EXPECT_FALSE(calendar->WeekColumn().Visible());
  EXPECT_EQ("十一月", Utf8(calendar->MonthPicker().Text()));
  EXPECT_EQ("2010", Utf8(calendar->YearPicker().Text()));
  EXPECT_EQ(21u, calendar->YearPicker().Items().size());
  EXPECT_EQ("2000", Utf8(calendar->YearPicker().Items().front()));
  EXPECT_EQ(0, changes_);
}

TEST_F(CalendarTest, AMonthStartingOnTheFirstWeekdayShowsAWeekBeforeIt) {
  platform_.Locale().Use("de_DE");  // weeks start on Monday; 2010-11-01 is one
  TvxCalendar* calendar = NewCalendar();
  EXPECT_EQ("Mo.", Utf8(calendar->WeekdayLabel(0).Text()));
  EXPECT_EQ("25", Cell(*calendar, 0));
  EXPECT_FLOAT_EQ(0.3f, CellOpacity(*calendar, 6));
  EXPECT_EQ("1", Cell(*calendar, 7));
  EXPECT_FLOAT_EQ(1.0f, CellOpacity(*calendar, 7));
  EXPECT_EQ(35, calendar->Days().ItemIndex());  // the 29th
}

TEST_F(CalendarTest, AShortFebruaryEndsWithARowOfMarch) {
  platform_.Locale().Use("de_DE");
  TvxCalendar* calendar = NewCalendar();
  calendar->SetDate(EncodeDate(2010, 2, 10));  // 2010-02-01 is a Monday
  EXPECT_EQ("1", Cell(*calendar, 7));
  EXPECT_EQ("28", Cell(*calendar, 34));
  for (int cell = 35; cell < 42; ++cell) {
    EXPECT_EQ(std::to_string(cell - 34), Cell(*calendar, cell));
    EXPECT_FLOAT_EQ(0.3f, CellOpacity(*calendar, cell));
  }
}

TEST_F(CalendarTest, FirstDayOfWeekOverridesTheLocale) {
  platform_.Locale().Use("de_DE");
  TvxCalendar* calendar = NewCalendar();
  calendar->SetFirstDayOfWeek(vxSunday);
  EXPECT_EQ("So.", Utf8(calendar->WeekdayLabel(0).Text()));
  EXPECT_EQ("Sa.", Utf8(calendar->WeekdayLabel(6).Text()));
  EXPECT_EQ("24", Cell(*calendar, 0));  // the month moves down: Monday the first is cell 8
  calendar->SetFirstDayOfWeek(vxLocaleDefault);
  EXPECT_EQ("Mo.", Utf8(calendar->WeekdayLabel(0).Text()));
  EXPECT_EQ(0, changes_);
}

TEST_F(CalendarTest, WeekNumbersRunOnIntoTheNewYear) {
  TvxCalendar* calendar = NewCalendar();
  calendar->SetDate(EncodeDate(2010, 12, 1));
  calendar->SetWeekNumbers(true);
  EXPECT_TRUE(calendar->WeekColumn().Visible());
  EXPECT_EQ("48", Utf8(calendar->WeekLabel(0).Text()));
  EXPECT_EQ("52", Utf8(calendar->WeekLabel(4).Text()));
  EXPECT_EQ("1", Utf8(calendar->WeekLabel(5).Text()));
  calendar->NextButton().Click();
  EXPECT_EQ("52", Utf8(calendar->WeekLabel(0).Text()));
  EXPECT_EQ("1", Utf8(calendar->WeekLabel(1).Text()));
  calendar->SetWeekNumbers(false);
  EXPECT_FALSE(calendar->WeekColumn().Visible());
}

TEST_F(CalendarTest, SettingADateKeepsTheTimeButPickingADayIsMidnight) {
  TvxCalendar* calendar = NewCalendar();
  calendar->SetDate(EncodeDate(2010, 11, 1));
  calendar->SetDate(40511.0);
  EXPECT_DOUBLE_EQ(40511.0 + kAfternoon, calendar->Date());
  EXPECT_EQ(2, changes_);
  EXPECT_EQ(0, dayChanges_);  // setting from code is no pick
  calendar->SetDate(EncodeDate(2010, 11, 2));
  calendar->Days().SetItemIndex(36);  // zh_CN weeks start on Sunday: the 29th is cell 36
  EXPECT_DOUBLE_EQ(40511.0, calendar->Date());
  EXPECT_EQ(1, dayChanges_);
}

TEST_F(CalendarTest, ADayOfAnotherMonthChangesNothingButIsAPick) {
  TvxCalendar* calendar = NewCalendar();
  const TDateTime before = calendar->Date();
  calendar->Days().SetItemIndex(41);
  EXPECT_DOUBLE_EQ(before, calendar->Date());
  EXPECT_EQ(0, changes_);
  EXPECT_EQ(1, dayChanges_);
  EXPECT_EQ(36, calendar->Days().ItemIndex());  // the mark goes back to the current day
}

TEST_F(CalendarTest, HeaderButtonsAndTheWheelMoveByMonthsKeepingTheTime) {
  TvxCalendar* calendar = NewCalendar();
  calendar->SetDate(EncodeDate(2011, 1, 31));
  calendar->NextButton().Click();
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 2, 28) + kAfternoon, calendar->Date());
  calendar->PreviousButton().Click();
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 1, 28) + kAfternoon, calendar->Date());
  bool handled = false;
  calendar->MouseWheel(0, 120, handled);
  EXPECT_TRUE(handled);
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 12, 28) + kAfternoon, calendar->Date());
  calendar->MouseWheel(0, 0, handled);
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 1, 28) + kAfternoon, calendar->Date());
  EXPECT_EQ(0, dayChanges_);
  platform_.Clock().SetNow(EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0));
  calendar->TodayButton().Click();
  EXPECT_DOUBLE_EQ(EncodeDate(2024, 3, 15) + kAfternoon, calendar->Date());
  EXPECT_EQ(1, dayChanges_);
}

TEST_F(CalendarTest, PickersClampTheDayToTheChosenMonth) {
  TvxCalendar* calendar = NewCalendar();
  calendar->SetDate(EncodeDate(2012, 1, 31));
  calendar->MonthPicker().Click();
  ASSERT_TRUE(menus_.Choose("二月"));
  EXPECT_DOUBLE_EQ(EncodeDate(2012, 2, 29), calendar->Date());  // and midnight
  calendar->YearPicker().Click();
  ASSERT_TRUE(menus_.Choose("2011"));
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 2, 28), calendar->Date());
  EXPECT_EQ("2011", Utf8(calendar->YearPicker().Text()));
  EXPECT_EQ("2001", Utf8(calendar->YearPicker().Items().front()));
  calendar->MonthPicker().Click();
  ASSERT_TRUE(menus_.Choose("三月"));
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 3, 28), calendar->Date());
}

TEST_F(CalendarTest, NamesComeFromTheLocale) {
  struct Case {
    const char* locale;
    const char* firstLabel;
    const char* november;
  };
  for (const Case& c : {Case{"zh_CN", "周日", "十一月"}, Case{"en_US", "Sun", "November"},
                        Case{"de_DE", "Mo.", "November"}}) {
    platform_.Locale().Use(c.locale);
    TvxCalendar* calendar = NewCalendar();
    EXPECT_EQ(c.firstLabel, Utf8(calendar->WeekdayLabel(0).Text())) << c.locale;
    EXPECT_EQ(c.november, Utf8(calendar->MonthPicker().Text())) << c.locale;
    EXPECT_EQ(12u, calendar->MonthPicker().Items().size());
    delete calendar;
  }
}

TEST_F(CalendarTest, BindingTakesNumbersAndReadableTextsOnly) {
  TvxCalendar* calendar = NewCalendar();
  calendar->SetData(TVariant(std::string("2010/12/24")));
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 12, 24) + kAfternoon, calendar->Date());
  calendar->SetData(TVariant(std::string("not a date")));
  calendar->SetData(TVariant(std::nan("")));
  calendar->SetData(TVariant(1e12));
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 12, 24) + kAfternoon, calendar->Date());
  calendar->SetData(TVariant(int64_t(40511)));
  EXPECT_DOUBLE_EQ(40511.0 + kAfternoon, std::get<double>(calendar->GetData()));
}

// A calendar box in a shown dialog, so that its popup can open.
class CalendarBoxTest : public CalendarTest {
 protected:
  void SetUp() override {
    CalendarTest::SetUp();
    TvxVisualObject* root = NewDialog(dialog_, {100, 50, 300, 300});
    box_ = new TvxCalendarBox(dialog_);
    box_->SetParent(root);
    box_->SetBounds(20, 20, 91, 22);
    dialog_->Show();
  }
  void TearDown() override {
    DeleteDialog(dialog_);
    CalendarTest::TearDown();
  }
  void Press() { box_->MouseDown(TMouseButton::mbLeft, ssLeft, 5, 5); }

  TForm* dialog_ = nullptr;
  TvxCalendarBox* box_ = nullptr;
};

TEST_F(CalendarBoxTest, TextCarriesTheTimeUnlessItIsMidnight) {
  EXPECT_EQ("combotextboxstyle", box_->Resource());
  EXPECT_FLOAT_EQ(186, box_->Popup().Width());
  EXPECT_FLOAT_EQ(166, box_->Popup().Height());
  box_->SetDate(40511.0);
  EXPECT_EQ("2010/11/29 13:45:10", Utf8(box_->Text()));
  box_->SetDate(EncodeDate(2010, 11, 2));
  box_->Calendar().Days().SetItemIndex(36);
  EXPECT_DOUBLE_EQ(40511.0, box_->Date());
  EXPECT_EQ("2010/11/29", Utf8(box_->Text()));
}

TEST_F(CalendarBoxTest, PressesToggleThePopupAndAPickedDayClosesIt) {
  Press();
  ASSERT_TRUE(box_->Popup().IsOpen());
  box_->Calendar().NextButton().Click();  // browsing keeps it open
  EXPECT_TRUE(box_->Popup().IsOpen());
  Press();
  EXPECT_FALSE(box_->Popup().IsOpen());
  Press();
  ASSERT_TRUE(box_->Popup().IsOpen());
  box_->Calendar().TodayButton().Click();
  EXPECT_FALSE(box_->Popup().IsOpen());
}

TEST_F(CalendarBoxTest, AGreyedNextMonthDayClosesThePopupAndKeepsTheDate) {
  box_->SetDate(40511.0);
  const std::u16string text = box_->Text();
  Press();
  ASSERT_TRUE(box_->Popup().IsOpen());
  box_->Calendar().Days().SetItemIndex(41);
  EXPECT_FALSE(box_->Popup().IsOpen());
  EXPECT_DOUBLE_EQ(40511.0 + kAfternoon, box_->Date());
  EXPECT_EQ(text, box_->Text());
}

TEST_F(CalendarBoxTest, KeysDoNotEditTheDate) {
  box_->SetDate(40511.0);
  const std::u16string text = box_->Text();
  uint16_t key = '1';
  char16_t keyChar = u'1';
  box_->KeyDown(key, keyChar, 0);
  EXPECT_EQ(text, box_->Text());
}

// The box drawn through the raster backend.
class CalendarBoxPixels : public CalendarBoxTest {
 protected:
  void SetUp() override {
    UseRasterBackend();
    CalendarBoxTest::SetUp();
    scene_ = dynamic_cast<TvxCustomScene*>(box_->Scene());
    ASSERT_NE(scene_, nullptr);
    scene_->SetBounds(0, 0, 300, 300);
  }
  // Pixels of the box's row band brighter than its background: text (and the arrow).
  int LightPixels(int left, int right) const {
    const TPixelFrame frame = scene_->Pixels();
    int count = 0;
    for (int y = 21; y < 41; ++y) {
      const auto* row = reinterpret_cast<const uint8_t*>(frame.pixels) + size_t(y * frame.stride);
      for (int x = left; x < right; ++x)
        if ((reinterpret_cast<const uint32_t*>(row)[x] >> 8 & 255) > 0xB0) ++count;
    }
    return count;
  }

  TvxCustomScene* scene_ = nullptr;
};

TEST_F(CalendarBoxPixels, ADateWithItsTimeEndsAtTheContentsEdge) {
  box_->SetDate(40511.0);
  ASSERT_EQ("2010/11/29 13:45:10", Utf8(box_->Text()));
  scene_->DrawAll();
  // The content spans x 24 to 88; the arrow's glyph starts at x 98, the box ends at x 111.
  EXPECT_GT(LightPixels(60, 88), 10);
  EXPECT_EQ(LightPixels(89, 98), 0);
  EXPECT_EQ(LightPixels(112, 200), 0);
}

TEST_F(CalendarBoxTest, OnChangeFollowsEveryDateChangeWithTheTextShown) {
  std::vector<std::string> texts;
  box_->OnChange = [this, &texts](TObject* sender) {
    EXPECT_EQ(box_, sender);
    texts.push_back(Utf8(box_->Text()));
  };
  box_->SetDate(EncodeDate(2010, 11, 2));
  box_->SetDate(EncodeDate(2010, 11, 2));  // no change
  Press();
  box_->Calendar().NextButton().Click();
  box_->Calendar().MonthPicker().Click();
  ASSERT_TRUE(menus_.Choose("十月"));
  EXPECT_TRUE(box_->Popup().IsOpen());
  box_->Calendar().Days().SetItemIndex(41);  // 6 November: greyed, changes nothing
  Press();
  box_->Calendar().Days().SetItemIndex(20);
  EXPECT_FALSE(box_->Popup().IsOpen());
  EXPECT_EQ(texts, (std::vector<std::string>{"2010/11/2 13:45:10", "2010/12/2 13:45:10",
                                             "2010/10/2", "2010/10/16"}));
}

TEST_F(CalendarTest, WatchersSeeChangesAndPicksOfControlsWithoutHandlers) {
  auto* calendar = new TvxCalendar(&owner_);
  auto* box = new TvxCalendarBox(&owner_);
  TEventRecorder recorder;
  recorder.Watch(*calendar, "OnChange");
  recorder.Watch(*calendar, "OnDayChange");
  recorder.Watch(calendar->MonthPicker(), "OnChange");
  recorder.Watch(*box, "OnChange");
  calendar->SetDate(EncodeDate(2010, 12, 24));
  calendar->Days().SetItemIndex(41);  // a pick that changes nothing
  calendar->MonthPicker().Click();
  ASSERT_TRUE(menus_.Choose("十月"));
  box->SetDate(EncodeDate(2010, 12, 24));
  EXPECT_EQ(recorder.seen,
            (std::vector<std::string>{"OnChange TvxCalendar", "OnDayChange TvxCalendar",
                                      "OnChange TvxPopupBox", "OnChange TvxCalendar",
                                      "OnChange TvxCalendarBox"}));
}

TEST_F(CalendarTest, CalendarTextBoxReadsTypedDatesBack) {
  auto* box = new TvxCalendarTextBox(&owner_);
  box->SetDate(40511.0);
  EXPECT_EQ("2010/11/29 13:45:10", Utf8(box->Text()));
  box->SetText(u"2010/12/24");
  box->Change();
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 12, 24) + kAfternoon, box->Date());
  box->SetText(u"tomorrow");
  box->Change();
  EXPECT_EQ("2010/12/24 13:45:10", Utf8(box->Text()));
}

}  // namespace
