#pragma once

// The Windows message loop of the user-interface thread. Posted tasks and timers go through a
// hidden message-only window: a task queue under a lock (Post may come from any thread) woken
// by one private message, and SetTimer timers on that window.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "platform/EventLoop.h"

class TWin32Timer;

class TWin32EventLoop : public IEventLoop {
 public:
  TWin32EventLoop();
  ~TWin32EventLoop() override;
  TWin32EventLoop(const TWin32EventLoop&) = delete;
  TWin32EventLoop& operator=(const TWin32EventLoop&) = delete;

  std::unique_ptr<ITimer> CreateTimer() override;
  void Post(std::function<void()> task) override;
  void ProcessMessages() override;
  // Ends when `done` answers true or WM_QUIT arrives; a nested loop posts WM_QUIT again so
  // that the loops around it end too, the outermost one takes it for good.
  void RunUntil(const std::function<bool()>& done) override;

  // True once WM_QUIT has been taken; every later RunUntil returns at once.
  bool Quitting() const { return quitting_; }
  int ExitCode() const { return exitCode_; }
  // The message-only window that receives the tasks' wake-ups and the timers.
  HWND Handle() const { return window_; }

 private:
  friend class TWin32Timer;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunTasks();
  void FireTimer(UINT_PTR id);
  // Translates and dispatches `message`; false for WM_QUIT, which is then remembered.
  bool Handle(const MSG& message);
  void TakeQuit(int exitCode, bool passOn);

  HWND window_ = nullptr;
  std::mutex lock_;
  std::deque<std::function<void()>> tasks_;
  bool wakePosted_ = false;  // under lock_: a wake-up message is queued
  std::map<UINT_PTR, TWin32Timer*> timers_;
  UINT_PTR nextTimerId_ = 1;
  int depth_ = 0;  // nesting of RunUntil
  bool quitting_ = false;
  int exitCode_ = 0;
};

class TWin32Timer : public ITimer {
 public:
  explicit TWin32Timer(TWin32EventLoop& loop);
  ~TWin32Timer() override;

  void SetInterval(uint32_t ms) override;
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override { onTimer_ = std::move(onTimer); }

 private:
  friend class TWin32EventLoop;
  void Restart();
  void Fire();

  TWin32EventLoop* loop_;  // null once the loop is gone
  UINT_PTR id_;            // never reused, so a WM_TIMER already queued for a killed timer is lost
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  std::function<void()> onTimer_;
};
