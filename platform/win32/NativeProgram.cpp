#include "platform/NativeProgram.h"

#include <windows.h>
// Needs windows.h before it.
#include <ole2.h>

#include <cstdio>
#include <iostream>

#include "platform/Icon.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32IconHandle.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32Windows.h"

namespace {

// OLE for the user-interface thread, whose drag and drop and clipboard want its apartment.
class TOleSession {
 public:
  TOleSession() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~TOleSession() {
    if (started_) OleUninitialize();
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

 private:
  bool started_;
};

bool HasHandle(DWORD which) {
  return GetFileType(GetStdHandle(which)) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void TNativeProgram::UseStartingConsole() {
  const bool out = HasHandle(STD_OUTPUT_HANDLE), err = HasHandle(STD_ERROR_HANDLE);
  if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!out) (void)std::freopen("CONOUT$", "w", stdout);
  if (!err) (void)std::freopen("CONOUT$", "w", stderr);
  std::ios::sync_with_stdio();
}

struct TNativeProgram::TParts {
  explicit TParts(std::unique_ptr<IPowerActions> power) : platform(std::move(power)) {}

  TOleSession ole;
  TWin32Platform platform;
  TWin32SingleInstance instance;
  TWin32IconHandle bigIcon;
  TWin32IconHandle smallIcon;
};

TNativeProgram::TNativeProgram(int&, char**, std::unique_ptr<IPowerActions> power) {
  // Before the first window of any part (OLE and the event loop make hidden ones), since the
  // system settles the process's DPI awareness with its first window.
  TWin32Dpi::BecomeAware();
  parts_ = std::make_unique<TParts>(std::move(power));
}

TNativeProgram::~TNativeProgram() = default;

ISingleInstance& TNativeProgram::SingleInstance() {
  return parts_->instance;
}

void TNativeProgram::SetWindowIcon(const TIcon& icon) {
  TWin32IconHandle big = TWin32IconHandle::FromImages(icon.Images(), GetSystemMetrics(SM_CXICON));
  TWin32IconHandle small =
      TWin32IconHandle::FromImages(icon.Images(), GetSystemMetrics(SM_CXSMICON));
  TWin32WindowSystem::SetIcons(big.Get(), small.Get());
  parts_->bigIcon = std::move(big);
  parts_->smallIcon = std::move(small);
}
