#include "platform/ProgramFile.h"

#ifdef _WIN32
#include <windows.h>

#include <string>

std::filesystem::path ProgramFile() {
  // The path may be longer than MAX_PATH; a full buffer means it was cut.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) return path.substr(0, length);
  }
  return {};
}
#else
std::filesystem::path ProgramFile() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program;
}
#endif
