#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/DryRunPowerActions.h"
#include "platform/LinuxPowerActions.h"
#include "platform/PosixRunner.h"
#include "platform/WindowsPowerActions.h"

namespace {

using Argv = std::vector<std::string>;

class TRecordingRunner : public ISystemRunner {
 public:
  void Spawn(const Argv& argv) override { spawned.push_back(argv); }
  void KernelPowerOff() override { ++kernelPowerOffs; }

  std::vector<Argv> spawned;
  int kernelPowerOffs = 0;
};

TLinuxSession User(std::string sessionId = "3") {
  return {false, std::move(sessionId), 1000};
}

TEST(LinuxPowerActions, StartsSystemctlAndLoginctlWithTheirArguments) {
  TRecordingRunner runner;
  TLinuxPowerActions actions(runner, User());
  for (TPowerAction action : {vxPowerShutdown, vxPowerOff, vxPowerReboot, vxPowerLogOff}) {
    actions.Issue(action);
  }
  EXPECT_EQ((std::vector<Argv>{{"systemctl", "poweroff"},
                               {"systemctl", "poweroff", "-i"},
                               {"systemctl", "reboot"},
                               {"loginctl", "terminate-session", "3"}}),
            runner.spawned);
  EXPECT_EQ(0, runner.kernelPowerOffs);
}

TEST(LinuxPowerActions, ForcedPowerOffAsRootGoesStraightToTheKernel) {
  TRecordingRunner runner;
  TLinuxPowerActions actions(runner, {true, "", 0});
  actions.Issue(vxPowerOff);
  EXPECT_EQ(1, runner.kernelPowerOffs);
  EXPECT_TRUE(runner.spawned.empty());
}

TEST(LinuxPowerActions, LogOffFallsBackToTheUserWithoutAPlainSessionId) {
  for (const char* id : {"", "--help", "3 4", "c1;reboot"}) {
    TRecordingRunner runner;
    TLinuxPowerActions(runner, User(id)).Issue(vxPowerLogOff);
    EXPECT_EQ((std::vector<Argv>{{"loginctl", "terminate-user", "1000"}}), runner.spawned) << id;
  }
}

TEST(DryRunPowerActions, PrintsOneLinePerActionAndRunsNothing) {
  std::ostringstream out;
  TDryRunPowerActions user(out, User("c2"));
  for (TPowerAction action : {vxPowerShutdown, vxPowerOff, vxPowerReboot, vxPowerLogOff}) {
    user.Issue(action);
  }
  TDryRunPowerActions(out, {true, "", 0}).Issue(vxPowerOff);
  TDryRunPowerActions(out, User()).Issue(static_cast<TPowerAction>(-1));
  EXPECT_EQ(
      "dry-run: shutdown systemctl poweroff\n"
      "dry-run: poweroff systemctl poweroff -i\n"
      "dry-run: reboot systemctl reboot\n"
      "dry-run: logoff loginctl terminate-session c2\n"
      "dry-run: poweroff sync; reboot(RB_POWER_OFF)\n",
      out.str());
}

// The lines a Windows dry run prints, on any system: the commands are data.
TEST(WindowsPowerCommands, ShutdownExeForTheOrderlyActionsAndTheNativeCallForPowerOff) {
  std::ostringstream out;
  TDryRunPowerActions windows(out, [](TPowerAction a) { return WindowsPowerCommand(a).Text(); });
  for (TPowerAction action : {vxPowerShutdown, vxPowerOff, vxPowerReboot, vxPowerLogOff}) {
    windows.Issue(action);
  }
  windows.Issue(static_cast<TPowerAction>(-1));
  EXPECT_EQ(
      "dry-run: shutdown shutdown.exe -s -f\n"
      "dry-run: poweroff ZwShutdownSystem(ShutdownNoReboot)\n"
      "dry-run: reboot shutdown.exe -r\n"
      "dry-run: logoff shutdown.exe -l\n",
      out.str());
}

#ifndef _WIN32
// The real runner, with a harmless command: it must return without waiting for the program.
TEST(PosixRunner, StartsTheProgramDetached) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("lc-runner-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto marker = dir / "done";
  TPosixRunner runner;
  runner.Spawn({"sh", "-c", "sleep 0.2; echo ok > \"$0\"", marker.string()});
  EXPECT_FALSE(std::filesystem::exists(marker));
  runner.Spawn({"/nonexistent/program"});
  std::string content;
  for (int i = 0; i < 100 && content != "ok"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream(marker) >> content;
  }
  EXPECT_EQ("ok", content);
  std::filesystem::remove_all(dir);
}
#endif

}  // namespace
