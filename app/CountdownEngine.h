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

// The settings dialog's values, named after its widgets.
struct TConfigInput {
  bool RadioButton1 = true;  // countdown chosen; otherwise a calendar moment
  std::string HourText = "0", MinutText = "0", SecondText = "0";
  std::string CalendarBox1;  // the calendar box's displayed date text
  std::string NumberBox1 = "11", NumberBox2 = "0", NumberBox3 = "0";
  int StringComboBox1 = 0;  // power action
  int StringComboBox2 = 0;  // 0 sprite and tray icon, 1 tray icon only
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

  TDateTime TargetTime() const { return FTargetTime; }
  // 64 bits, so that the ring of a schedule longer than 24.8 days still shrinks.
  int64_t TotalMs() const { return FTotalMs; }
  int ShutdownMode() const { return FShutdownMode; }
  int DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(int mode) { FDisplayMode = mode; }
  bool Running() const { return Timer1->Enabled(); }

 private:
  TDateTime TargetFrom(const TConfigInput& input) const;
  float RingAngle(int64_t remainingMs) const;
  std::string RemainingText(TDateTime now) const;
  bool Warn();
  void IssueAction() const;

  ICountdownView& FView;
  TErrorReport FReport;
  std::unique_ptr<ITimer> FOwnTimer;
  ITimer* Timer1;
  TDateTime FTargetTime = 0;
  int64_t FTotalMs = 0;
  int FShutdownMode = 0;
  int FDisplayMode = 0;
};
