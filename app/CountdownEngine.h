#pragma once

// The one schedule: a moment and the power action issued then, driven by a 500 ms timer
// that updates the ring and the remaining time and raises the ten-second warning.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/CountdownView.h"
#include "app/ErrorReport.h"
#include "platform/DateTime.h"
#include "platform/Timer.h"

// The display modes, in the order of the dialog's second combo box.
inline constexpr int DisplaySpriteAndTray = 0;
inline constexpr int DisplayTrayOnly = 1;

// The settings dialog's values, named after its widgets.
struct TConfigInput {
  bool RadioButton1 = true;  // countdown chosen; otherwise a calendar moment
  std::string HourText = "0", MinutText = "0", SecondText = "0";
  std::string CalendarBox1;  // the calendar box's displayed date text
  std::string NumberBox1 = "11", NumberBox2 = "0", NumberBox3 = "0";
  int StringComboBox1 = 0;                     // power action
  int StringComboBox2 = DisplaySpriteAndTray;  // the display mode
};

inline constexpr std::array<std::string_view, 4> ShutdownModeNames = {"安全关机", "暴力关机",
                                                                      "重新启动", "系统注销"};

// "0" in front of values below 10; hours may run to any number of digits.
std::string PadTwo(int64_t value);

class TCountdownEngine {
 public:
  // Ticks on a 500 ms timer of its own.
  explicit TCountdownEngine(ICountdownView& view, TErrorReport report = ShowErrorReport);
  // Switches `timer` on and off; its owner calls Tick when it fires (the form's Timer1).
  TCountdownEngine(ICountdownView& view, ITimer& timer, TErrorReport report = ShowErrorReport);

  // Starts a schedule from the dialog's values and closes the dialog. A moment that is not
  // in the future is refused with a message box and leaves the dialog open. Text that does
  // not read as a time or a date throws EConvertError, which the dialog reports; the timer
  // is off either way.
  void Start(const TConfigInput& input);
  void Stop();
  void Abort();
  void Tick();

  TDateTime TargetTime() const { return targetTime_; }
  // 64 bits, so that the ring of a schedule longer than 24.8 days still shrinks.
  int64_t TotalMs() const { return totalMs_; }
  int ShutdownMode() const { return shutdownMode_; }
  int DisplayMode() const { return displayMode_; }
  void SetDisplayMode(int mode) { displayMode_ = mode; }
  bool Running() const { return timer_->Enabled(); }

 private:
  TDateTime TargetFrom(const TConfigInput& input) const;
  float RingAngle(int64_t remainingMs) const;
  std::string RemainingText(TDateTime now) const;
  bool Warn();
  void IssueAction() const;

  ICountdownView& view_;
  TErrorReport report_;
  std::unique_ptr<ITimer> ownTimer_;
  ITimer* timer_;
  TDateTime targetTime_ = 0;
  int64_t totalMs_ = 0;
  int64_t previousRemainingMs_ = 0;  // at the last tick; 0 before the first
  int shutdownMode_ = 0;
  int displayMode_ = DisplaySpriteAndTray;
};
