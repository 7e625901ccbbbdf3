#include "platform/WorkingSet.h"

#ifdef _WIN32
#include <windows.h>

bool TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return true;
}
#else
bool TrimWorkingSet() {
  return false;
}
#endif
