#include "platform/win32/Win32EventLoop.h"

#include <algorithm>
#include <utility>

namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kClassName[] = L"LingchuanEventLoop";

void RegisterLoopClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TWin32EventLoop::TWin32EventLoop() {
  RegisterLoopClass(&WindowProc);
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
}

TWin32EventLoop::~TWin32EventLoop() {
  for (auto& [id, timer] : timers_) timer->loop_ = nullptr;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK TWin32EventLoop::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* loop = reinterpret_cast<TWin32EventLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (loop && message == kWakeMessage) {
    loop->RunTasks();
    return 0;
  }
  if (loop && message == WM_TIMER) {
    loop->FireTimer(wParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::unique_ptr<ITimer> TWin32EventLoop::CreateTimer() {
  return std::make_unique<TWin32Timer>(*this);
}

// One wake-up message stands for every task queued until it is handled, so a flood of posts
// never meets the limit of a thread's message queue.
void TWin32EventLoop::Post(std::function<void()> task) {
  std::lock_guard guard(lock_);
  tasks_.push_back(std::move(task));
  if (wakePosted_) return;
  wakePosted_ = PostMessageW(window_, kWakeMessage, 0, 0) != 0;
}

// Runs the tasks queued before the wake-up, in order; those they post wait for the next one.
void TWin32EventLoop::RunTasks() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard guard(lock_);
    batch.swap(tasks_);
    wakePosted_ = false;
  }
  for (auto& task : batch) task();
}

void TWin32EventLoop::FireTimer(UINT_PTR id) {
  const auto found = timers_.find(id);
  if (found != timers_.end()) found->second->Fire();
}

bool TWin32EventLoop::Handle(const MSG& message) {
  if (message.message == WM_QUIT) return false;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

void TWin32EventLoop::TakeQuit(int exitCode, bool passOn) {
  quitting_ = true;
  exitCode_ = exitCode;
  if (passOn) PostQuitMessage(exitCode);
}

void TWin32EventLoop::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    if (!Handle(message)) return TakeQuit(int(message.wParam), true);
}

void TWin32EventLoop::RunUntil(const std::function<bool()>& done) {
  ++depth_;
  MSG message;
  while (!quitting_ && !done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    // -1 is an invalid call, which waiting again would only repeat.
    if (got == -1) break;
    if (!got || !Handle(message)) TakeQuit(int(message.wParam), depth_ > 1);
  }
  // The outermost loop ends the program's loops for good: a quit passed on for the system's
  // modal loops is not left to end some later one.
  if (depth_ == 1 && quitting_) PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  --depth_;
}

TWin32Timer::TWin32Timer(TWin32EventLoop& loop) : loop_(&loop), id_(loop.nextTimerId_++) {
  loop.timers_[id_] = this;
}

TWin32Timer::~TWin32Timer() {
  if (!loop_) return;
  KillTimer(loop_->window_, id_);
  loop_->timers_.erase(id_);
}

void TWin32Timer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TWin32Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

// SetTimer on a live id replaces that timer, which starts its period anew.
void TWin32Timer::Restart() {
  if (!loop_) return;
  if (!enabled_ || interval_ == 0) {
    KillTimer(loop_->window_, id_);
    return;
  }
  SetTimer(loop_->window_, id_, std::min<uint32_t>(interval_, USER_TIMER_MAXIMUM), nullptr);
}

void TWin32Timer::Fire() {
  // A copy, because the callback may destroy this timer.
  const std::function<void()> onTimer = onTimer_;
  if (onTimer) onTimer();
}
