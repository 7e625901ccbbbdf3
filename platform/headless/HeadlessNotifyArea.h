#pragma once

// A notification area for tests: it records every request with its record, keeps what it
// shows, and lets the caller send the mouse messages of an icon and restart the shell.
// Channels are numbered from 0 in the order they were created.

#include <map>
#include <memory>
#include <vector>

#include "platform/NotifyArea.h"

class THeadlessNotifyArea : public INotifyArea {
 public:
  enum class TRequestKind { Add, Modify, Delete, Balloon };
  struct TRequest {
    TRequestKind kind;
    int channel;
    TNotifyIconData icon;  // Add, Modify
    TBalloonData balloon;  // Balloon
  };

  THeadlessNotifyArea() = default;
  ~THeadlessNotifyArea() override;
  THeadlessNotifyArea(const THeadlessNotifyArea&) = delete;
  THeadlessNotifyArea& operator=(const THeadlessNotifyArea&) = delete;

  std::unique_ptr<INotifyChannel> CreateChannel(TNotifyCallbacks callbacks) override;

  // For channels created afterwards; on by default.
  void SetBalloonsSupported(bool supported) { balloonsSupported_ = supported; }
  // While set, every Add fails as on a shell that refuses the icon.
  void SetAddFails(bool fails) { addFails_ = fails; }

  const std::vector<TRequest>& Requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }
  // The record the area shows for the channel, or null when it shows nothing for it.
  const TNotifyIconData* Shown(int channel = 0) const;

  // Delivers a mouse message to the channel, if it is alive.
  void SendMouse(const TNotifyMouse& mouse, int channel = 0);
  // The shell restarts: every icon is lost, then every channel hears of the new area.
  void RestartTaskbar();

 private:
  class TChannel;
  friend class TChannel;

  bool balloonsSupported_ = true;
  bool addFails_ = false;
  int created_ = 0;
  std::vector<TRequest> requests_;
  std::map<int, TChannel*> channels_;
  std::map<int, TNotifyIconData> shown_;
};
