#pragma once

// Mouse buttons, modifier states and cursor ids as the window system hands them to the
// program, independent of any toolkit.

#include <cstdint>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and buttons held during an input event; ssDouble marks the press of a double
// click.
using TShiftState = uint32_t;
enum : TShiftState {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};

// Cursor ids keep the numbering form data has always stored.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crHandPoint = -21;

// The key that opens a context menu.
inline constexpr uint16_t vkApps = 93;
