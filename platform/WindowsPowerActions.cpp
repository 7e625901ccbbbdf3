#include "platform/WindowsPowerActions.h"

#ifdef _WIN32
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>
#endif

TWindowsPowerCommand WindowsPowerCommand(TPowerAction action) {
  switch (action) {
    case vxPowerShutdown:
      return {false, "-s -f"};
    case vxPowerOff:
      return {true, ""};
    case vxPowerReboot:
      return {false, "-r"};
    case vxPowerLogOff:
      return {false, "-l"};
  }
  return {};
}

std::string TWindowsPowerCommand::Text() const {
  if (nativePowerOff) return "ZwShutdownSystem(ShutdownNoReboot)";
  return parameters.empty() ? std::string() : "shutdown.exe " + parameters;
}

#ifdef _WIN32
namespace {

using TRtlAdjustPrivilege = LONG(WINAPI*)(ULONG, BOOLEAN, BOOLEAN, PBOOLEAN);
using TZwShutdownSystem = LONG(WINAPI*)(int);

// GetProcAddress hands out a generic pointer; going through void(*)() says the cast is meant.
template <typename T>
T NtdllFunction(HMODULE ntdll, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, name)));
}

void NativePowerOff() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return;
  const auto adjust = NtdllFunction<TRtlAdjustPrivilege>(ntdll, "RtlAdjustPrivilege");
  const auto shutdown = NtdllFunction<TZwShutdownSystem>(ntdll, "ZwShutdownSystem");
  if (!adjust || !shutdown) return;
  BOOLEAN previous = FALSE;
  adjust(19, TRUE, FALSE, &previous);  // SeShutdownPrivilege for the process
  shutdown(0);                         // ShutdownNoReboot
}

}  // namespace

void TWindowsPowerActions::Issue(TPowerAction action) {
  const TWindowsPowerCommand command = WindowsPowerCommand(action);
  if (command.nativePowerOff) return NativePowerOff();
  if (command.parameters.empty()) return;
  ShellExecuteA(nullptr, "open", "shutdown.exe", command.parameters.c_str(), nullptr, SW_HIDE);
}
#endif
