#pragma once

// The desktop's notification area, as the tray icon component talks to it: one channel per
// icon that adds, modifies and deletes the icon's record and shows balloon notices, and that
// delivers the mouse messages for the icon and the news that the notification area was
// created anew (the shell restarted, losing every icon).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Icon.h"
#include "platform/Input.h"

// The mouse messages of an icon, numbered as the Windows shell sends them.
enum TNotifyMessage : uint32_t {
  nmMouseMove = 0x200,
  nmLButtonDown = 0x201,
  nmLButtonUp = 0x202,
  nmLButtonDblClk = 0x203,
  nmRButtonDown = 0x204,
  nmRButtonUp = 0x205,
  nmRButtonDblClk = 0x206,
  nmMButtonDown = 0x207,
  nmMButtonUp = 0x208,
  nmMButtonDblClk = 0x209,
};

// A mouse message with the cursor position (screen coordinates) and the state of Shift, Ctrl
// and Alt, read when it was delivered.
struct TNotifyMouse {
  uint32_t message = nmMouseMove;
  int x = 0;
  int y = 0;
  TShiftState shift = 0;
};

// The icon shown in a balloon notice, with the shell's values.
enum TBalloonFlags : uint32_t {
  niifNone = 0,
  niifInfo = 1,
  niifWarning = 2,
  niifError = 3,
};

struct TNotifyIconData {
  std::string tip;  // UTF-8
  std::vector<TIconImage> images;
};

struct TBalloonData {
  std::string title;  // UTF-8
  std::string text;
  TBalloonFlags flags = niifNone;
  uint32_t timeout = 0;  // milliseconds; the notification area applies its own limits
  std::vector<TIconImage> images;
};

struct TNotifyCallbacks {
  std::function<void(const TNotifyMouse&)> mouse;
  std::function<void()> taskbarCreated;
};

// One icon's place in the notification area. Its callbacks arrive on the user-interface
// thread and never while one of its own requests runs; they stop when the channel goes.
class INotifyChannel {
 public:
  virtual ~INotifyChannel() = default;
  // True when the icon is shown.
  virtual bool Add(const TNotifyIconData& data) = 0;
  virtual void Modify(const TNotifyIconData& data) = 0;
  virtual void Delete() = 0;
  // Shows the notice at the icon, which takes the record's images.
  virtual void ShowBalloon(const TBalloonData& balloon) = 0;
  // Decided when the channel was created.
  virtual bool BalloonsSupported() const = 0;
};

class INotifyArea {
 public:
  virtual ~INotifyArea() = default;
  virtual std::unique_ptr<INotifyChannel> CreateChannel(TNotifyCallbacks callbacks) = 0;
};

// The installed notification area, or null.
INotifyArea* NotifyArea();
// Installs `area` (null removes it) and returns the previous one.
INotifyArea* InstallNotifyArea(INotifyArea* area);
