#include "platform/Window.h"

#include <vector>

namespace {

template <class F>
struct Registered {
  int id;
  F call;
};

template <class F>
std::vector<Registered<F>>& Registry() {
  static std::vector<Registered<F>> entries;
  return entries;
}

int NextId() {
  static int nextId = 0;
  return ++nextId;
}

template <class F>
int Register(F call) {
  const int id = NextId();
  Registry<F>().push_back({id, std::move(call)});
  return id;
}

template <class F>
void Unregister(int id) {
  std::erase_if(Registry<F>(), [id](const Registered<F>& r) { return r.id == id; });
}

}  // namespace

int AddMessageHook(TMessageHook hook) {
  return Register(std::move(hook));
}

void RemoveMessageHook(int id) {
  Unregister<TMessageHook>(id);
}

int AddMessageFilter(TMessageFilter filter) {
  return Register(std::move(filter));
}

void RemoveMessageFilter(int id) {
  Unregister<TMessageFilter>(id);
}

void DispatchWindowMessage(INativeWindow& window, IWindowClient& client,
                           const TWindowMessage& message) {
  // Copies: a filter or hook may add or remove filters and hooks.
  const auto filters = Registry<TMessageFilter>();
  for (const auto& f : filters)
    if (f.call(window, message)) return;
  const auto hooks = Registry<TMessageHook>();
  for (const auto& h : hooks) h.call(window, message);
  client.HandleMessage(window, message);
}
