#pragma once

// Events: a handler bound either to a published method (streamable by its name) or to any
// callable set from code.

#include <any>
#include <functional>
#include <utility>

#include "platform/component/ClassInfo.h"

template <class... A>
class TEvent {
 public:
  using Invoker = std::function<void(TObject*, A...)>;

  TEvent() = default;
  template <class C>
  TEvent(C* object, void (C::*method)(A...))
      : call_([object, method](A... args) { (object->*method)(args...); }) {}
  template <class F>
  requires std::is_invocable_v<F, A...> TEvent(F function) : call_(std::move(function)) {}

  explicit operator bool() const { return static_cast<bool>(call_); }
  void operator()(A... args) const {
    if (call_) call_(args...);
  }

  // The published method this event is bound to; empty for handlers set from code.
  const TMethod& Method() const { return method_; }
  void SetMethod(const TMethod& method) {
    method_ = method;
    call_ = nullptr;
    if (!method.code) return;
    const auto* invoker = std::any_cast<Invoker>(&method.code->invoker);
    if (!invoker) return;
    call_ = [invoker, data = method.data](A... args) { (*invoker)(data, args...); };
  }

 private:
  std::function<void(A...)> call_;
  TMethod method_;
};

using TNotifyEvent = TEvent<TObject*>;
