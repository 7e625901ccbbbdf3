#include "app/CountdownEngine.h"

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// Records what the engine shows; the sprite does the same on its scene.
class TRecordingView : public ICountdownView {
 public:
  void SetRingAngle(float degrees) override { Log("ring"), ring = degrees; }
  void SetTimeText(const std::u16string& text) override { Log("time"), time = text; }
  void SetCaptionText(const std::u16string& text) override { Log("caption"), caption = text; }
  void StartFlashing() override { Log("flash"); }
  void MakeTopmost() override { Log("topmost"); }
  void ShowSprite() override { Log("show"); }
  void HideSprite() override { Log("hide"); }
  void SetAbortEnabled(bool enabled) override { Log(enabled ? "abort on" : "abort off"); }
  void SetShowSpriteChecked(bool checked) override { Log(checked ? "check" : "uncheck"); }
  void BalloonNotice(const std::string& title, const std::string& text, TBalloonIcon icon,
                     int timeout) override {
    Log("balloon");
    balloon = title + "|" + text + "|" + std::to_string(icon) + "|" + std::to_string(timeout);
    if (balloonFails) throw Exception("Balloon Hint not Supported.");
  }
  void CloseSettingsDialog() override { Log("close"); }

  int Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }

  std::vector<std::string> events;
  float ring = -1;
  std::u16string time, caption;
  std::string balloon;
  bool balloonFails = false;

 private:
  void Log(const std::string& event) { events.push_back(event); }
};

TConfigInput Countdown(const char* h, const char* m, const char* s, int mode = 0,
                       int display = DisplaySpriteAndTray) {
  TConfigInput input;
  input.HourText = h, input.MinutText = m, input.SecondText = s;
  input.StringComboBox1 = mode, input.StringComboBox2 = display;
  return input;
}

TConfigInput Moment(const char* date, const char* h, const char* m, const char* s) {
  TConfigInput input;
  input.RadioButton1 = false;
  input.CalendarBox1 = date;
  input.NumberBox1 = h, input.NumberBox2 = m, input.NumberBox3 = s;
  return input;
}

class CountdownEngineTest : public testing::Test {
 protected:
  void ExpectRefused() {
    ASSERT_EQ(1u, platform.MessageBox().Calls().size());
    const auto& call = platform.MessageBox().Calls()[0];
    EXPECT_EQ("预约时间间隔太短！", call.text);
    EXPECT_EQ("提示", call.caption);
    EXPECT_EQ(0x10u, call.style);
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(0, view.Count("close"));
  }

  THeadlessPlatform platform;
  TRecordingView view;
  std::vector<std::string> reports;
  TCountdownEngine engine{view, [this](const Exception& e) { reports.push_back(e.what()); }};
};

TEST_F(CountdownEngineTest, ANothingCountdownIsRefusedAndOneSecondIsAccepted) {
  engine.Start(Countdown("0", "0", "0", 2, DisplayTrayOnly));
  ExpectRefused();
  EXPECT_TRUE(view.events.empty());
  EXPECT_EQ(0, engine.ShutdownMode());
  EXPECT_EQ(DisplaySpriteAndTray, engine.DisplayMode());

  engine.Start(Countdown("0", "0", "1", 2));
  EXPECT_TRUE(engine.Running());
  EXPECT_EQ((std::vector<std::string>{"show", "check", "abort on", "caption", "close"}),
            view.events);
  EXPECT_EQ(u"重新启动倒计时", view.caption);
  EXPECT_EQ(2, engine.ShutdownMode());
}

TEST_F(CountdownEngineTest, TheDisplayChoiceShowsOrHidesTheSpriteAndSetsTheCheckMark) {
  engine.Start(Countdown("1", "0", "0", 0, DisplayTrayOnly));
  EXPECT_EQ(DisplayTrayOnly, engine.DisplayMode());
  EXPECT_EQ(1, view.Count("hide"));
  EXPECT_EQ(1, view.Count("uncheck"));
  EXPECT_EQ(0, view.Count("show"));
  engine.Start(Countdown("1", "0", "0", 0, DisplaySpriteAndTray));
  EXPECT_EQ(1, view.Count("show"));
  EXPECT_EQ(1, view.Count("check"));
}

TEST_F(CountdownEngineTest, TheFirstTickShowsAnEmptyRingThenItFollowsTheShareLeft) {
  engine.Start(Countdown("0", "1", "0"));
  platform.Advance(500);
  EXPECT_EQ(59500, engine.TotalMs());
  EXPECT_EQ(0.0f, view.ring);
  EXPECT_EQ(u"00:00:59", view.time);
  platform.Advance(500);
  EXPECT_NEAR(59000.0 / 59500 * 360, view.ring, 0.01);  // a millisecond either way
  EXPECT_EQ(u"00:00:59", view.time);
  platform.Advance(500);
  EXPECT_EQ(u"00:00:58", view.time);
}

TEST_F(CountdownEngineTest, TenSecondsNeverWarnAndElevenWarnOnce) {
  engine.Start(Countdown("0", "0", "10"));
  platform.Advance(11000);
  EXPECT_EQ(0, view.Count("balloon"));
  EXPECT_EQ(0, view.Count("topmost"));

  engine.Start(Countdown("0", "0", "11"));
  platform.Advance(12000);
  EXPECT_EQ(1, view.Count("topmost"));
  EXPECT_EQ(1, view.Count("flash"));
  EXPECT_EQ(1, view.Count("balloon"));
  EXPECT_EQ("定时关机提示|系统将在10后关闭，请保存好当前的工作！|3|10", view.balloon);
}

// A timer whose ticks the test gives by hand, late ones included.
class TManualTimer : public ITimer {
 public:
  void SetInterval(uint32_t ms) override { interval_ = ms; }
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()>) override {}

 private:
  uint32_t interval_ = 500;
  bool enabled_ = false;
};

// The remaining milliseconds at each tick of a 12 s countdown; returns the warnings given.
int WarningsAt(THeadlessPlatform& platform, std::initializer_list<int64_t> remaining) {
  TRecordingView view;
  TManualTimer timer;
  TCountdownEngine engine(view, timer);
  engine.Start(Countdown("0", "0", "12"));
  int64_t left = 12000;
  for (int64_t ms : remaining) {
    platform.Clock().Advance(left - ms);
    left = ms;
    engine.Tick();
  }
  return view.Count("balloon");
}

TEST_F(CountdownEngineTest, ALateTickThatStepsOverTheWindowStillWarns) {
  EXPECT_EQ(2, WarningsAt(platform, {11500, 10900, 10400, 9900}));  // two ticks in the window
  EXPECT_EQ(2, WarningsAt(platform, {10900, 10301}));               // both edges inside
  EXPECT_EQ(1, WarningsAt(platform, {11500, 10901, 10300, 9800}));  // both edges outside
  EXPECT_EQ(1, WarningsAt(platform, {11500, 9000, 8500}));          // stepped over by 2.5 s
  EXPECT_EQ(0, WarningsAt(platform, {11500, 0}));                   // straight to the moment
  EXPECT_EQ(0, WarningsAt(platform, {10300, 9800}));  // started below the window: no warning
}

TEST_F(CountdownEngineTest, TheActionIsIssuedOnceAtTheMomentWithTheTimerAlreadyOff) {
  engine.Start(Countdown("0", "0", "3", 3));
  bool runningWhenIssued = true;
  std::vector<std::string> eventsWhenIssued;
  platform.Power().SetOnIssue([&](TPowerAction) {
    runningWhenIssued = engine.Running();
    eventsWhenIssued = view.events;
  });
  platform.Advance(2500);
  EXPECT_TRUE(platform.Power().Issued().empty());
  platform.Advance(500);
  ASSERT_EQ((std::vector<TPowerAction>{vxPowerLogOff}), platform.Power().Issued());
  EXPECT_FALSE(runningWhenIssued);
  EXPECT_EQ("time", eventsWhenIssued.back());  // ring and text first
  EXPECT_EQ(u"00:00:00", view.time);
  platform.Advance(5000);
  EXPECT_EQ(1u, platform.Power().Issued().size());
}

TEST_F(CountdownEngineTest, EachModeIssuesItsActionAndAnUnknownOneNothing) {
  for (int mode : {0, 1, 2, 3, 4, -1}) {
    engine.Start(Countdown("0", "0", "1", mode));
    platform.Advance(1000);
  }
  EXPECT_EQ((std::vector<TPowerAction>{vxPowerShutdown, vxPowerOff, vxPowerReboot, vxPowerLogOff}),
            platform.Power().Issued());
  EXPECT_EQ(u"倒计时", view.caption);
}

TEST_F(CountdownEngineTest, TwentyFourHoursAndMoreCountInWholeUnits) {
  platform.Clock().SetNow(EncodeDate(2024, 3, 15) + EncodeTime(8, 59, 59, 500));
  engine.Start(Moment("2024/3/16", "10", "3", "7"));
  platform.Advance(500);
  EXPECT_EQ(u"25:03:07", view.time);

  platform.Clock().SetNow(EncodeDate(2024, 3, 15) + EncodeTime(8, 59, 59, 500));
  engine.Start(Moment("2024/3/20", "9", "0", "0"));
  platform.Advance(500);
  EXPECT_EQ(u"120:00:00", view.time);
}

TEST_F(CountdownEngineTest, JustUnderADayUsesTheClockFace) {
  platform.Clock().SetNow(EncodeDate(2024, 3, 15) + EncodeTime(9, 59, 59, 501));
  engine.Start(Moment("2024/3/16", "10", "0", "0"));
  platform.Advance(500);
  EXPECT_EQ(u"23:59:59", view.time);
}

TEST_F(CountdownEngineTest, AScheduleBeyondTwentyFiveDaysStillShrinksItsRing) {
  engine.Start(Moment("2024/5/1", "9", "0", "0"));
  platform.Advance(500);
  EXPECT_GT(engine.TotalMs(), int64_t{INT32_MAX});
  platform.Advance(3600000);
  EXPECT_NEAR(360.0 * (1 - 3600000.0 / engine.TotalMs()), view.ring, 0.01);
  EXPECT_EQ(u"1126:59:59", view.time);
}

TEST_F(CountdownEngineTest, ACustomMomentReadsTheCalendarTextWithTheTypedTime) {
  engine.Start(Moment("2024/3/15", "9", "30", "0"));
  EXPECT_TRUE(engine.Running());
  EXPECT_EQ(EncodeDate(2024, 3, 15) + EncodeTime(9, 30, 0, 0), engine.TargetTime());

  // A calendar whose day was never picked carries its own time, which wins.
  engine.Start(Moment("2024/3/16 13:45:10", "9", "30", "0"));
  EXPECT_EQ(EncodeDate(2024, 3, 16) + EncodeTime(13, 45, 10, 0), engine.TargetTime());
}

TEST_F(CountdownEngineTest, ACustomMomentInThePastIsRefused) {
  engine.Start(Moment("2010/11/29 13:45:10", "23", "0", "0"));
  ExpectRefused();
  platform.MessageBox().Clear();
  platform.Advance(500);
  engine.Start(Moment("2024/3/15", "9", "0", "0"));  // earlier in the current second
  ExpectRefused();
}

TEST_F(CountdownEngineTest, UnreadableTextThrowsWithTheTimerOff) {
  engine.Start(Countdown("0", "1", "0"));
  try {
    engine.Start(Moment("29.11.2010", "11", "0", "0"));
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ("'29.11.2010 11:0:0' is not a valid date and time", e.what());
  }
  EXPECT_THROW(engine.Start(Countdown("", "1", "0")), EConvertError);
  EXPECT_FALSE(engine.Running());
  EXPECT_EQ(1, view.Count("close"));
  EXPECT_TRUE(platform.MessageBox().Calls().empty());
}

TEST_F(CountdownEngineTest, AFailedBalloonIsReportedAndTheMomentStillComes) {
  view.balloonFails = true;
  engine.Start(Countdown("0", "0", "11"));
  platform.Advance(10500);
  EXPECT_EQ((std::vector<std::string>{"Balloon Hint not Supported."}), reports);
  EXPECT_EQ(1, view.Count("flash"));
  platform.Advance(500);
  EXPECT_EQ(1u, platform.Power().Issued().size());
}

TEST_F(CountdownEngineTest, AbortingInTheLastSecondsOnlyClearsRingAndTime) {
  engine.Start(Countdown("0", "0", "11"));
  platform.Advance(1000);
  const size_t before = view.events.size();
  engine.Abort();
  EXPECT_EQ((std::vector<std::string>{"time", "ring"}),
            std::vector<std::string>(view.events.begin() + before, view.events.end()));
  EXPECT_EQ(u"00:00:00", view.time);
  EXPECT_EQ(0.0f, view.ring);
  EXPECT_EQ(0, engine.TotalMs());
  platform.Advance(20000);
  EXPECT_TRUE(platform.Power().Issued().empty());
}

TEST_F(CountdownEngineTest, StopEndsTheScheduleAndDisablesAbort) {
  engine.Start(Countdown("0", "5", "0", 0, 1));
  view.events.clear();
  engine.Stop();
  EXPECT_FALSE(engine.Running());
  EXPECT_EQ((std::vector<std::string>{"abort off", "uncheck", "close"}), view.events);
  platform.Advance(400000);
  EXPECT_TRUE(platform.Power().Issued().empty());
}

TEST(ErrorReport, ShowsTheMessageUnderTheApplicationsName) {
  THeadlessPlatform platform;
  Application().SetTitle("翎川定时关机");
  ShowErrorReport(EConvertError("'x' is not a valid date and time"));
  ASSERT_EQ(1u, platform.MessageBox().Calls().size());
  EXPECT_EQ("'x' is not a valid date and time", platform.MessageBox().Calls()[0].text);
  EXPECT_EQ("翎川定时关机", platform.MessageBox().Calls()[0].caption);
  EXPECT_EQ(0x10u, platform.MessageBox().Calls()[0].style);
}

}  // namespace
