#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// What vxview refuses ends it at once with one line, before any window shows; what it takes
// is shown until its window closes (tests/e2e drives that on a real display).
class VxviewTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string dir = (fs::temp_directory_path() / "vxviewXXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  void Write(const std::string& name, const std::string& data) const {
    std::ofstream(File(name), std::ios::binary) << data;
  }

  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Runs vxview with `args` on the offscreen platform, ended after `seconds` (exit code 124)
  // when it is still showing; `prefix` runs in the same shell first.
  int Run(const std::string& args, const std::string& prefix = "", int seconds = 60) {
    const std::string command =
        prefix + "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=" + dir_.string() + " timeout " +
        std::to_string(seconds) + " " + std::string(LC_VXVIEW) + " " + args + " >" +
        File("stdout") + " 2>" + File("stderr");
    const int status = std::system(command.c_str());
    stdout_ = Read(File("stdout"));
    stderr_ = Read(File("stderr"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  std::string stdout_;
  std::string stderr_;
};

TEST_F(VxviewTest, BadUsageExitsWithTwo) {
  for (const std::string args : {"", "--trace", "a b", "a --layout"}) {
    EXPECT_EQ(Run(args), 2) << args;
    EXPECT_EQ(stderr_, "usage: vxview FORM [--trace]\n") << args;
  }
}

TEST_F(VxviewTest, WhatCannotBeShownFailsWithOneLine) {
  EXPECT_EQ(Run(File("missing.txt")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("missing.txt") + ": cannot read\n");

  Write("bad.txt", "object Broken: TvxLayout\n  Width = \n");
  EXPECT_EQ(Run(File("bad.txt") + " --trace"), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("bad.txt") + ": 3: value expected\n");

  Write("tail.bin", std::string("TPF0\x09TvxLayout\x00\x00\x00!", 18));
  EXPECT_EQ(Run(File("tail.bin")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("tail.bin") + ": 17: data after the form's end\n");

  EXPECT_EQ(Run("res:NOSUCHFORM"), 1);
  EXPECT_EQ(stderr_, "vxview: res:NOSUCHFORM: no such resource\n");

  Write("timer.txt", "object Timer1: TvxFloatAnimation\nend\n");
  EXPECT_EQ(Run(File("timer.txt")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("timer.txt") +
                         ": TvxFloatAnimation is neither a form nor a visual object\n");
  EXPECT_EQ(stdout_, "");
}

// A window needs at least one pixel each way and is refused beyond 16384.
TEST_F(VxviewTest, RefusesWindowsOfNoSizeOrTooLarge) {
  Write("flat.txt", "object Flat: TvxRectangle\n  Width = 10.0\n  Height = 0.4\nend\n");
  EXPECT_EQ(Run(File("flat.txt")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("flat.txt") + ": nothing to show: the size is empty\n");
  Write("huge.txt", "object Huge: TvxRectangle\n  Width = 16384.6\n  Height = 10.0\nend\n");
  EXPECT_EQ(Run(File("huge.txt")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("huge.txt") + ": the window would be too large\n");
  Write("wide.txt", "object Wide: TWideForm\n  ClientWidth = 16385\nend\n");
  EXPECT_EQ(Run(File("wide.txt")), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("wide.txt") + ": the window would be too large\n");
  // Just inside both ends: shown until the test ends it.
  Write("edge.txt", "object Edge: TvxRectangle\n  Width = 16384.4\n  Height = 0.5\nend\n");
  EXPECT_EQ(Run(File("edge.txt"), "", 3), 124);
  EXPECT_EQ(stderr_, "");
}

#if defined(__SANITIZE_ADDRESS__)
#define LC_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LC_SANITIZED 1
#endif
#endif

// The address space is limited with ulimit, which sanitizers cannot start under.
#ifndef LC_SANITIZED
TEST_F(VxviewTest, RefusesWhatItCannotHoldInOneLine) {
  std::string form = "object Many: TvxLayout\n  Tag = (";
  for (int i = 0; i < 20'000'000; ++i) form += " 1";
  Write("many.txt", form + ")\nend\n");
  EXPECT_EQ(Run(File("many.txt"), "ulimit -v 131072; "), 1);
  EXPECT_EQ(stderr_, "vxview: " + File("many.txt") + ": too large to hold in memory\n");
}
#endif

}  // namespace
