#include "bench/FigureProbes.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "platform/Platform.h"

double MsSinceLaunch() {
  const char* launch = std::getenv("LC_LAUNCH_NS");
  if (!launch) return -1;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const double ns = double(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  return (ns - std::atof(launch)) / 1e6;
}

double ResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
  }
  return -1;
}

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void Await(const std::function<bool()>& done, double seconds) {
  bool late = false;
  const std::unique_ptr<ITimer> limit = Platform().loop->CreateTimer();
  limit->SetOnTimer([&late] { late = true; });
  limit->SetInterval(uint32_t(seconds * 1000));
  limit->SetEnabled(true);
  Platform().loop->RunUntil([&] { return late || done(); });
}

void RunFor(double seconds) {
  Await([] { return false; }, seconds);
}

void Settle() {
  for (int i = 0; i < 3; ++i) Platform().loop->ProcessMessages();
}
