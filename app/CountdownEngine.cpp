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
  // A character put in front rather than a literal joined to the digits, which GCC 12 at -O3
  // misreads as an overlapping copy.
  std::string digits = std::to_string(value);
  return value < 10 ? '0' + std::move(digits) : digits;
}

TCountdownEngine::TCountdownEngine(ICountdownView& view, TErrorReport report)
    : view_(view), report_(std::move(report)), ownTimer_(Platform().loop->CreateTimer()) {
  timer_ = ownTimer_.get();
  timer_->SetInterval(500);
  timer_->SetOnTimer([this] { Tick(); });
}

TCountdownEngine::TCountdownEngine(ICountdownView& view, ITimer& timer, TErrorReport report)
    : view_(view), report_(std::move(report)), timer_(&timer) {}

void TCountdownEngine::Start(const TConfigInput& input) {
  timer_->SetEnabled(false);
  targetTime_ = TargetFrom(input);
  if (CompareDateTime(targetTime_, Now()) != 1) {
    Platform().messageBox->Show("预约时间间隔太短！", "提示", vxMsgIconError);
    return;
  }
  shutdownMode_ = input.StringComboBox1;
  displayMode_ = input.StringComboBox2;
  if (displayMode_ == DisplaySpriteAndTray) {
    view_.ShowSprite();
  } else {
    view_.HideSprite();
  }
  view_.SetShowSpriteChecked(displayMode_ == DisplaySpriteAndTray);
  totalMs_ = 0;
  previousRemainingMs_ = 0;
  timer_->SetEnabled(true);
  view_.SetAbortEnabled(true);
  view_.SetCaptionText(Utf8ToUtf16(CaptionFor(shutdownMode_)));
  view_.CloseSettingsDialog();
}

void TCountdownEngine::Stop() {
  timer_->SetEnabled(false);
  view_.SetAbortEnabled(false);
  view_.SetShowSpriteChecked(displayMode_ == DisplaySpriteAndTray);
  view_.CloseSettingsDialog();
}

void TCountdownEngine::Abort() {
  timer_->SetEnabled(false);
  totalMs_ = 0;
  view_.SetTimeText(u"00:00:00");
  view_.SetRingAngle(0);
}

// One clock reading serves the whole tick, so the ring, the text, the warning and the
// moment agree with each other.
void TCountdownEngine::Tick() {
  const TDateTime now = Now();
  const int64_t remainingMs = MilliSecondsBetween(now, targetTime_);
  if (totalMs_ == 0) totalMs_ = remainingMs;
  view_.SetRingAngle(RingAngle(remainingMs));
  view_.SetTimeText(Utf8ToUtf16(RemainingText(now)));
  // A busy system delays timer messages, and a late tick can step over the window; the
  // warning then comes on the first tick after it while the moment is still ahead.
  const bool inWindow = remainingMs > kWarnAboveMs && remainingMs <= kWarnUpToMs;
  const bool steppedOver =
      previousRemainingMs_ > kWarnUpToMs && remainingMs <= kWarnAboveMs && remainingMs > 0;
  previousRemainingMs_ = remainingMs;
  if ((inWindow || steppedOver) && !Warn()) return;
  if (CompareDateTime(targetTime_, now) != 1) {
    timer_->SetEnabled(false);
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
  if (totalMs_ == 0) return 0;
  const int64_t r = remainingMs % totalMs_;
  return static_cast<float>(static_cast<double>(r) / static_cast<double>(totalMs_) * 360.0);
}

std::string TCountdownEngine::RemainingText(TDateTime now) const {
  const int64_t hours = HoursBetween(now, targetTime_);
  if (hours < 24) return TimeOfDayText(targetTime_ - now);
  const int64_t minutes = MinutesBetween(now, targetTime_);
  const int64_t seconds = SecondsBetween(now, targetTime_);
  return PadTwo(hours) + ":" + PadTwo(minutes - 60 * hours) + ":" + PadTwo(seconds - 60 * minutes);
}

// Returns false when the balloon failed: the failure is reported and the tick ends there.
bool TCountdownEngine::Warn() {
  view_.MakeTopmost();
  view_.StartFlashing();
  try {
    view_.BalloonNotice("定时关机提示", "系统将在10后关闭，请保存好当前的工作！", vxBalloonWarning,
                        10);
  } catch (const Exception& failure) {
    report_(failure);
    return false;
  }
  return true;
}

void TCountdownEngine::IssueAction() const {
  static constexpr TPowerAction kActions[] = {vxPowerShutdown, vxPowerOff, vxPowerReboot,
                                              vxPowerLogOff};
  if (shutdownMode_ < 0 || shutdownMode_ > 3) return;
  Platform().power->Issue(kActions[shutdownMode_]);
}
