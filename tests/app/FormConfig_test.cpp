#include "app/FormConfig.h"

#include <gtest/gtest.h>

#include "MainForm_support.h"
#include "platform/Menus.h"
#include "scene/controls/CalendarBox.h"
#include "scene/controls/ComboBox.h"
#include "scene/controls/NumberBox.h"
#include "scene/core/VisualObject.h"

namespace {

std::u16string TextOf(TForm& dialog, const char* box) {
  return dynamic_cast<TvxNumberBox*>(dialog.FindComponent(box))->Text();
}

bool Shown(TForm& dialog, const char* name) {
  return dynamic_cast<TvxVisualObject*>(dialog.FindComponent(name))->Visible();
}

void Pick(TForm& dialog, const char* combo, int index) {
  dynamic_cast<TvxComboBox*>(dialog.FindComponent(combo))->SetItemIndex(index);
}

TvxCalendarBox& Calendar(TForm& dialog) {
  return *dynamic_cast<TvxCalendarBox*>(dialog.FindComponent("CalendarBox1"));
}

class SettingsDialogTest : public testing::Test, public TMainFormFixture {
 protected:
  TCountdownEngine& Engine() { return Main().Engine(); }
  bool AbortEnabled() { return dynamic_cast<TMenuItem*>(Main().FindComponent("N2"))->Enabled(); }
  // 09:00:00 on the day the headless clock starts.
  TDateTime Today(int hour, int minute, int second) {
    return EncodeDate(2024, 3, 15) + EncodeTime(hour, minute, second, 0);
  }
};

TEST_F(SettingsDialogTest, RunsBeforeTheSpriteIsShownAndOpensWithTheStoredValues) {
  bool spriteShown = true;
  TBoundsI place;
  std::u16string seconds;
  bool countdownPanel = false, customPanel = true;
  CreateMainForm([&](TForm& dialog, THeadlessWindow& window) {
    spriteShown = MainWindow().Visible();
    place = window.Bounds();
    EXPECT_TRUE(window.Frameless());
    EXPECT_TRUE(window.Transparent());
    EXPECT_TRUE(window.ToolWindow());
    EXPECT_GE(window.Activations(), 1);
    seconds = TextOf(dialog, "SecondText");
    countdownPanel = Shown(dialog, "Layout2");
    customPanel = Shown(dialog, "Layout1");
    window.KeyDown(vkEscape);
  });
  EXPECT_FALSE(spriteShown);
  EXPECT_EQ(place, (TBoundsI{439, 194, 370, 458}));
  EXPECT_EQ(seconds, u"0");
  EXPECT_TRUE(countdownPanel);
  EXPECT_FALSE(customPanel);
  EXPECT_EQ(Main().SettingsDialog(), nullptr);  // freed once closed
}

TEST_F(SettingsDialogTest, EscapeStartsNothingAndTheIdleSpriteFollows) {
  CreateMainForm();
  EXPECT_FALSE(Engine().Running());
  EXPECT_TRUE(Platform().Power().Issued().empty());
}

TEST_F(SettingsDialogTest, StartingACountdownClosesTheDialogAndRunsTheSchedule) {
  CreateMainForm([](TForm& dialog, THeadlessWindow& window) {
    Type(dialog, "SecondText", u"12");
    Click(dialog, window, "RadioButton3");
  });
  EXPECT_TRUE(Engine().Running());
  EXPECT_EQ(Engine().TargetTime(), Today(9, 0, 12));
  EXPECT_TRUE(AbortEnabled());
  EXPECT_TRUE(Checked("N3"));
  Platform().Advance(12500);
  ASSERT_EQ(Platform().Power().Issued().size(), 1u);
  EXPECT_EQ(Platform().Power().Issued()[0], vxPowerShutdown);
}

TEST_F(SettingsDialogTest, TheChosenActionAndDisplayModeReachTheEngine) {
  CreateMainForm([](TForm& dialog, THeadlessWindow& window) {
    Type(dialog, "MinutText", u"1");
    Pick(dialog, "StringComboBox1", 3);
    Pick(dialog, "StringComboBox2", DisplayTrayOnly);
    Click(dialog, window, "RadioButton3");
  });
  EXPECT_EQ(Engine().ShutdownMode(), 3);
  EXPECT_EQ(Engine().DisplayMode(), DisplayTrayOnly);
  EXPECT_FALSE(MainWindow().Visible());
  EXPECT_FALSE(Checked("N3"));
}

TEST_F(SettingsDialogTest, AZeroCountdownIsRefusedAndTheDialogStaysOpenForASecondTry) {
  size_t boxesAfterFirst = 0;
  CreateMainForm([&](TForm& dialog, THeadlessWindow& window) {
    Click(dialog, window, "RadioButton3");
    boxesAfterFirst = Platform().MessageBox().Calls().size();
    Type(dialog, "SecondText", u"1");
    Click(dialog, window, "RadioButton3");  // the checked radio button runs its handler again
  });
  EXPECT_EQ(boxesAfterFirst, 1u);
  EXPECT_EQ(Platform().MessageBox().Calls()[0].text, "预约时间间隔太短！");
  EXPECT_TRUE(Engine().Running());
  EXPECT_FALSE(StayedOpen());
}

TEST_F(SettingsDialogTest, TheTwoPanelsTradePlacesAndFillTheirBoxes) {
  Platform().Clock().SetNow(Today(9, 5, 3));
  CreateMainForm([](TForm& dialog, THeadlessWindow& window) {
    Type(dialog, "HourText", u"5");
    Click(dialog, window, "RadioButton2");
    EXPECT_FALSE(Shown(dialog, "Layout2"));
    EXPECT_TRUE(Shown(dialog, "Layout1"));
    EXPECT_EQ(TextOf(dialog, "NumberBox1"), u"09");
    EXPECT_EQ(TextOf(dialog, "NumberBox2"), u"05");
    EXPECT_EQ(TextOf(dialog, "NumberBox3"), u"03");
    Click(dialog, window, "RadioButton1");
    EXPECT_TRUE(Shown(dialog, "Layout2"));
    EXPECT_EQ(TextOf(dialog, "HourText"), u"0");
    window.KeyDown(vkEscape);
  });
}

TEST_F(SettingsDialogTest, TheStoredCalendarDateIsAMomentInThePast) {
  CreateMainForm([](TForm& dialog, THeadlessWindow& window) {
    Click(dialog, window, "RadioButton2");
    Type(dialog, "NumberBox1", u"23");
    Click(dialog, window, "RadioButton3");
  });
  EXPECT_TRUE(StayedOpen());
  EXPECT_EQ(Platform().MessageBox().Calls().size(), 1u);
  EXPECT_FALSE(Engine().Running());
}

// The calendar box keeps a time of day when its date is set other than by a picked day; the
// typed time must still decide the moment.
TEST_F(SettingsDialogTest, ACalendarMomentTakesTheDateFromTheBoxAndTheTimeFromTheBoxes) {
  CreateMainForm([&](TForm& dialog, THeadlessWindow& window) {
    Click(dialog, window, "RadioButton2");
    Calendar(dialog).SetDate(Today(9, 0, 0));  // as the today button leaves it
    Type(dialog, "NumberBox2", u"30");
    Click(dialog, window, "RadioButton3");
  });
  EXPECT_FALSE(StayedOpen());
  EXPECT_EQ(Engine().TargetTime(), Today(9, 30, 0));
}

TEST_F(SettingsDialogTest, ACalendarMomentMustLieAfterNow) {
  Platform().Clock().SetNow(Today(9, 0, 0));
  CreateMainForm([&](TForm& dialog, THeadlessWindow& window) {
    Click(dialog, window, "RadioButton2");  // the boxes now read 09:00:00
    Calendar(dialog).SetDate(Today(8, 0, 0));
    Click(dialog, window, "RadioButton3");
    EXPECT_EQ(Platform().MessageBox().Calls().size(), 1u);
    Type(dialog, "NumberBox3", u"01");
    Click(dialog, window, "RadioButton3");
  });
  EXPECT_FALSE(StayedOpen());
  EXPECT_EQ(Engine().TargetTime(), Today(9, 0, 1));
}

TEST_F(SettingsDialogTest, StopEndsTheScheduleAndSetsTheMarkFromTheDisplayMode) {
  CreateMainForm([](TForm& dialog, THeadlessWindow& window) {
    Type(dialog, "MinutText", u"5");
    Click(dialog, window, "RadioButton3");
  });
  ASSERT_TRUE(Engine().Running());
  Main().SetShowSpriteChecked(false);
  RunSettings([](TForm& dialog, THeadlessWindow& window) {
    Click(dialog, window, "RadioButton4");  // already checked, it still stops
  });
  EXPECT_FALSE(StayedOpen());
  EXPECT_FALSE(Engine().Running());
  EXPECT_FALSE(AbortEnabled());
  EXPECT_TRUE(Checked("N3"));
}

TEST_F(SettingsDialogTest, TheCloseButtonSetsTheMarkAndEscapeLeavesItAlone) {
  CreateMainForm();
  Main().SetShowSpriteChecked(false);
  RunSettings([](TForm&, THeadlessWindow& window) { window.KeyDown(vkEscape); });
  EXPECT_FALSE(StayedOpen());
  EXPECT_FALSE(Checked("N3"));

  RunSettings(
      [](TForm& dialog, THeadlessWindow& window) { Click(dialog, window, "CloseButton1"); });
  EXPECT_FALSE(StayedOpen());
  EXPECT_TRUE(Checked("N3"));
  EXPECT_FALSE(Engine().Running());
}

TEST_F(SettingsDialogTest, ASecondRequestBringsTheOpenDialogForwardInsteadOfNesting) {
  CreateMainForm();
  int activations = 0;
  TfConfig* second = nullptr;
  RunSettings([&](TForm& dialog, THeadlessWindow& window) {
    const int before = window.Activations();
    Main().N5Click(nullptr);
    activations = window.Activations() - before;
    second = Main().SettingsDialog();
    EXPECT_EQ(second, &dialog);
    window.KeyDown(vkEscape);
  });
  EXPECT_EQ(activations, 1);
}

TEST_F(SettingsDialogTest, QuittingFromTheMenuEndsAnOpenDialog) {
  CreateMainForm();
  RunSettings([&](TForm&, THeadlessWindow&) { Main().N8Click(nullptr); });
  EXPECT_FALSE(StayedOpen());
  EXPECT_TRUE(Main().Closed());
}

}  // namespace
