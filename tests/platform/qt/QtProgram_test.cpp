#include "platform/qt/QtProgram.h"

#include <gtest/gtest.h>

namespace {

// The program places its own windows and shapes their input, so under Wayland it goes
// through XWayland unless the user chose a platform other than Wayland.
TEST(QtProgramPlatform, AWaylandSessionGetsXcbUnlessAnotherPlatformWasChosen) {
  EXPECT_EQ("xcb", TQtProgram::PlatformFor("", "wayland-0", ""));
  EXPECT_EQ("xcb", TQtProgram::PlatformFor("", "", "wayland"));
  EXPECT_EQ("xcb", TQtProgram::PlatformFor("wayland", "wayland-0", "wayland"));
  EXPECT_EQ("xcb", TQtProgram::PlatformFor("wayland-egl", "wayland-0", ""));
  EXPECT_EQ("", TQtProgram::PlatformFor("offscreen", "wayland-0", "wayland"));
  EXPECT_EQ("", TQtProgram::PlatformFor("xcb", "wayland-0", ""));
}

TEST(QtProgramPlatform, OutsideWaylandTheChoiceStaysWithQt) {
  EXPECT_EQ("", TQtProgram::PlatformFor("", "", ""));
  EXPECT_EQ("", TQtProgram::PlatformFor("", "", "x11"));
  EXPECT_EQ("", TQtProgram::PlatformFor("wayland", "", "tty"));
}

}  // namespace
