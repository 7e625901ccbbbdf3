#include "platform/Window.h"

#include <vector>

namespace {

struct Hook {
  int id;
  TMessageHook hook;
};

std::vector<Hook>& Hooks() {
  static std::vector<Hook> hooks;
  return hooks;
}

}  // namespace

int AddMessageHook(TMessageHook hook) {
  static int nextId = 0;
  Hooks().push_back({++nextId, std::move(hook)});
  return nextId;
}

void RemoveMessageHook(int id) {
  std::erase_if(Hooks(), [id](const Hook& h) { return h.id == id; });
}

void DispatchWindowMessage(INativeWindow& window, IWindowClient& client,
                           const TWindowMessage& message) {
  // A copy: a hook may add or remove hooks.
  const std::vector<Hook> hooks = Hooks();
  for (const Hook& h : hooks) h.hook(window, message);
  client.HandleMessage(window, message);
}
