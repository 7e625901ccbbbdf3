#include "platform/qt/QtX11.h"

#include <gtest/gtest.h>

namespace {

// The program places its own windows and shapes their input, so under Wayland it goes
// through XWayland unless the user chose a platform other than Wayland.
TEST(QtX11Platform, AWaylandSessionGetsXcbUnlessAnotherPlatformWasChosen) {
  EXPECT_EQ("xcb", TQtX11::PlatformFor("", "wayland-0", ""));
  EXPECT_EQ("xcb", TQtX11::PlatformFor("", "", "wayland"));
  EXPECT_EQ("xcb", TQtX11::PlatformFor("wayland", "wayland-0", "wayland"));
  EXPECT_EQ("xcb", TQtX11::PlatformFor("wayland-egl", "wayland-0", ""));
  EXPECT_EQ("", TQtX11::PlatformFor("offscreen", "wayland-0", "wayland"));
  EXPECT_EQ("", TQtX11::PlatformFor("xcb", "wayland-0", ""));
}

TEST(QtX11Platform, OutsideWaylandTheChoiceStaysWithQt) {
  EXPECT_EQ("", TQtX11::PlatformFor("", "", ""));
  EXPECT_EQ("", TQtX11::PlatformFor("", "", "x11"));
  EXPECT_EQ("", TQtX11::PlatformFor("wayland", "", "tty"));
}

}  // namespace
