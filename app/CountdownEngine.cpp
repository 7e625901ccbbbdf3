#include "app/CountdownEngine.h"

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Unicode.h"

namespace {

// The warning runs while the remaining time is above 10.3 s and at most 10.9 s: a window
// wider than the 500 ms tick, so at least one tick falls into it.
constexpr int64_t kWarnAboveMs = 10300;
constexpr int64_t kWarnUpToMs = 10900;

TDateTime Now() {
  return Platform().clock->Now();
}

std::string CaptionFor(int mode) {
  const bool known = mode >= 0 && mode < static_cast<int>(ShutdownModeNames.size());
  return std::string(known ? ShutdownModeNames[mode] : "") + "倒计时";
}

}  // namespace

std::string PadTwo(int64_t value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

TCountdownEngine::TCountdownEngine(ICountdownView& view, TErrorReport report)
    : FView(view), FReport(std::move(report)), FOwnTimer(Platform().loop->CreateTimer()) {
  Timer1 = FOwnTimer.get();
  Timer1->SetInterval(500);
  Timer1->SetOnTimer([this] { Tick(); });
}

TCountdownEngine::TCountdownEngine(ICountdownView& view, ITimer& timer, TErrorReport report)
    : FView(view), FReport(std::move(report)), Timer1(&timer) {}

void TCountdownEngine::Start(const TConfigInput& input) {
  Timer1->SetEnabled(false);
  FTargetTime = TargetFrom(input);
  if (CompareDateTime(FTargetTime, Now()) != 1) {
    Platform().messageBox->Show("预约时间间隔太短！", "提示", vxMsgIconError);
    return;
  }
  FShutdownMode = input.StringComboBox1;
  FDisplayMode = input.StringComboBox2;
  if (FDisplayMode == 0) {
    FView.ShowSprite();
  } else {
    FView.HideSprite();
  }
  FView.SetShowSpriteChecked(FDisplayMode == 0);
  FTotalMs = 0;
  Timer1->SetEnabled(true);
  FView.SetAbortEnabled(true);
  FView.SetCaptionText(Utf8ToUtf16(CaptionFor(FShutdownMode)));
  FView.CloseSettingsDialog();
}

void TCountdownEngine::Stop() {
  Timer1->SetEnabled(false);
  FView.SetAbortEnabled(false);
  FView.SetShowSpriteChecked(FDisplayMode == 0);
  FView.CloseSettingsDialog();
}

void TCountdownEngine::Abort() {
  Timer1->SetEnabled(false);
  FTotalMs = 0;
  FView.SetTimeText(u"00:00:00");
  FView.SetRingAngle(0);
}

// One clock reading serves the whole tick, so the ring, the text, the warning and the
// moment agree with each other.
void TCountdownEngine::Tick() {
  const TDateTime now = Now();
  const int64_t remainingMs = MilliSecondsBetween(now, FTargetTime);
  if (FTotalMs == 0) FTotalMs = remainingMs;
  FView.SetRingAngle(RingAngle(remainingMs));
  FView.SetTimeText(Utf8ToUtf16(RemainingText(now)));
  if (remainingMs > kWarnAboveMs && remainingMs <= kWarnUpToMs && !Warn()) return;
  if (CompareDateTime(FTargetTime, now) != 1) {
    Timer1->SetEnabled(false);
    IssueAction();
  }
}

TDateTime TCountdownEngine::TargetFrom(const TConfigInput& input) const {
  if (input.RadioButton1) {
    return Now() + StrToTimeOfDay(input.HourText + ":" + input.MinutText + ":" + input.SecondText);
  }
  const std::string text =
      input.CalendarBox1 + " " + input.NumberBox1 + ":" + input.NumberBox2 + ":" + input.NumberBox3;
  return StrToDateTime(text, Platform().locale->Settings());
}

// The share of the schedule still ahead; 0 on a tick that captured no length.
float TCountdownEngine::RingAngle(int64_t remainingMs) const {
  if (FTotalMs == 0) return 0;
  const int64_t r = remainingMs % FTotalMs;
  return static_cast<float>(static_cast<double>(r) / static_cast<double>(FTotalMs) * 360.0);
}

std::string TCountdownEngine::RemainingText(TDateTime now) const {
  const int64_t hours = HoursBetween(now, FTargetTime);
  if (hours < 24) return TimeOfDayText(FTargetTime - now);
  const int64_t minutes = MinutesBetween(now, FTargetTime);
  const int64_t seconds = SecondsBetween(now, FTargetTime);
  return PadTwo(hours) + ":" + PadTwo(minutes - 60 * hours) + ":" + PadTwo(seconds - 60 * minutes);
}

// Returns false when the balloon failed: the failure is reported and the tick ends there.
bool TCountdownEngine::Warn() {
  FView.MakeTopmost();
  FView.StartFlashing();
  try {
    FView.BalloonNotice("定时关机提示", "系统将在10后关闭，请保存好当前的工作！", vxBalloonWarning,
                        10);
  } catch (const Exception& failure) {
    FReport(failure);
    return false;
  }
  return true;
}

void TCountdownEngine::IssueAction() const {
  static constexpr TPowerAction kActions[] = {vxPowerShutdown, vxPowerOff, vxPowerReboot,
                                              vxPowerLogOff};
  if (FShutdownMode < 0 || FShutdownMode > 3) return;
  Platform().power->Issue(kActions[FShutdownMode]);
}
