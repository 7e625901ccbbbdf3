#include "platform/LinuxPowerActions.h"

#include <cstdlib>
#include <utility>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// The session id goes to loginctl as an argument; refuse anything that could read as an
// option or is not a plain id.
bool IsPlainSessionId(const std::string& id) {
  if (id.empty() || id.size() > 64 || id.front() == '-') return false;
  for (char c : id) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       c == '_' || c == '-' || c == '.';
    if (!plain) return false;
  }
  return true;
}

std::vector<std::string> LogOffCommand(const TLinuxSession& session) {
  if (IsPlainSessionId(session.sessionId)) {
    return {"loginctl", "terminate-session", session.sessionId};
  }
  return {"loginctl", "terminate-user", std::to_string(session.userId)};
}

}  // namespace

TLinuxSession TLinuxSession::Current() {
  TLinuxSession session;
#ifndef _WIN32
  session.root = geteuid() == 0;
  session.userId = getuid();
#endif
  if (const char* id = std::getenv("XDG_SESSION_ID")) session.sessionId = id;
  return session;
}

std::string TLinuxPowerCommand::Text() const {
  if (kernelPowerOff) return "sync; reboot(RB_POWER_OFF)";
  std::string text;
  for (const std::string& arg : argv) text += (text.empty() ? "" : " ") + arg;
  return text;
}

TLinuxPowerCommand LinuxPowerCommand(TPowerAction action, const TLinuxSession& session) {
  switch (action) {
    case vxPowerShutdown:
      return {false, {"systemctl", "poweroff"}};
    case vxPowerOff:
      if (session.root) return {true, {}};
      return {false, {"systemctl", "poweroff", "-i"}};
    case vxPowerReboot:
      return {false, {"systemctl", "reboot"}};
    case vxPowerLogOff:
      return {false, LogOffCommand(session)};
  }
  return {};
}

TLinuxPowerActions::TLinuxPowerActions(ISystemRunner& runner, TLinuxSession session)
    : runner_(runner), session_(std::move(session)) {}

void TLinuxPowerActions::Issue(TPowerAction action) {
  const TLinuxPowerCommand command = LinuxPowerCommand(action, session_);
  if (command.kernelPowerOff) {
    runner_.KernelPowerOff();
  } else if (!command.argv.empty()) {
    runner_.Spawn(command.argv);
  }
}
