#ifdef _WIN32

#include "platform/WindowsPowerActions.h"

#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

namespace {

using TRtlAdjustPrivilege = LONG(WINAPI*)(ULONG, BOOLEAN, BOOLEAN, PBOOLEAN);
using TZwShutdownSystem = LONG(WINAPI*)(int);

void RunShutdownExe(const char* parameters) {
  ShellExecuteA(nullptr, "open", "shutdown.exe", parameters, nullptr, SW_HIDE);
}

void NativePowerOff() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return;
  auto adjust = reinterpret_cast<TRtlAdjustPrivilege>(GetProcAddress(ntdll, "RtlAdjustPrivilege"));
  auto shutdown = reinterpret_cast<TZwShutdownSystem>(GetProcAddress(ntdll, "ZwShutdownSystem"));
  if (!adjust || !shutdown) return;
  BOOLEAN previous = FALSE;
  adjust(19, TRUE, FALSE, &previous);  // SeShutdownPrivilege for the process
  shutdown(0);                         // shut down without restart
}

}  // namespace

void TWindowsPowerActions::Issue(TPowerAction action) {
  switch (action) {
    case vxPowerShutdown:
      return RunShutdownExe(" -s -f");
    case vxPowerOff:
      return NativePowerOff();
    case vxPowerReboot:
      return RunShutdownExe(" -r");
    case vxPowerLogOff:
      return RunShutdownExe(" -l");
  }
}

#endif
