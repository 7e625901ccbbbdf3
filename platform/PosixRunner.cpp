#ifndef _WIN32

#include "platform/PosixRunner.h"

#include <sys/reboot.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

void TPosixRunner::Spawn(const std::vector<std::string>& argv) {
  if (argv.empty()) return;
  // Built before forking: the children of a threaded process may only make async-safe calls.
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t middle = fork();
  if (middle == 0) {
    setsid();
    if (fork() == 0) {
      execvp(args[0], args.data());
      _exit(127);
    }
    _exit(0);
  }
  if (middle < 0) return;
  // The middle child exits at once; reaping it does not block.
  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
}

void TPosixRunner::KernelPowerOff() {
  sync();
  reboot(RB_POWER_OFF);
}

#endif
