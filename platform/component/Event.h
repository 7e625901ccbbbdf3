#pragma once

// Events: a handler bound either to a published method (streamable by its name) or to any
// callable set from code.

#include <any>
#include <functional>
#include <memory>
#include <utility>

#include "platform/component/ClassInfo.h"

// Told of every firing of the events it watches, before their handlers run: tools trace
// events through it without taking the handlers' place.
class IEventWatcher {
 public:
  virtual void EventFired(TObject& sender, const TPropInfo& event) = 0;

 protected:
  ~IEventWatcher() = default;
};

// Who watches an event: the watcher, the object that holds the event and its property.
struct TEventWatch {
  IEventWatcher* watcher = nullptr;
  TObject* sender = nullptr;
  const TPropInfo* event = nullptr;
  bool operator==(const TEventWatch&) const = default;
};

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

  // A watch belongs to the event's place, not to its handler: copies do not take it, and
  // assigning another handler keeps it.
  TEvent(const TEvent& other) : call_(other.call_), method_(other.method_) {}
  TEvent(TEvent&& other) noexcept : call_(std::move(other.call_)), method_(other.method_) {}
  TEvent& operator=(const TEvent& other) {
    call_ = other.call_;
    method_ = other.method_;
    return *this;
  }
  TEvent& operator=(TEvent&& other) noexcept {
    call_ = std::move(other.call_);
    method_ = other.method_;
    return *this;
  }

  explicit operator bool() const { return static_cast<bool>(call_); }
  void operator()(A... args) const {
    if (watch_) watch_->watcher->EventFired(*watch_->sender, *watch_->event);
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

  // A watch without a watcher ends watching.
  void SetWatch(const TEventWatch& watch) {
    if (!watch.watcher) return watch_.reset();
    if (watch_ && *watch_ == watch) return;
    watch_ = std::make_unique<TEventWatch>(watch);
  }

 private:
  std::function<void(A...)> call_;
  TMethod method_;
  std::unique_ptr<TEventWatch> watch_;  // rare, so kept out of line
};

using TNotifyEvent = TEvent<TObject*>;
