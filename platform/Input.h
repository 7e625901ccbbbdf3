#pragma once

// Mouse buttons, modifier keys and key codes as windows, the tray icon and scenes receive them.

#include <cstdint>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier and button state at the time of an input event.
using TShiftState = uint32_t;
enum TShiftFlag : TShiftState {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};

// Key codes of the keys the engine treats apart (the platform's virtual-key numbering).
enum TKeyCode : uint16_t {
  vkBack = 8,
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkPrior = 33,
  vkNext = 34,
  vkEnd = 35,
  vkHome = 36,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vkInsert = 45,
  vkDelete = 46,
  vkApps = 93,  // the context-menu key
  vkAdd = 107,
  vkSubtract = 109,
  vkF4 = 115,
};

// The cursor ids objects publish, in the numbering form data has always stored; the scene
// host maps them to window cursors.
using TCursorId = int;
inline constexpr TCursorId crDefault = 0;
inline constexpr TCursorId crArrow = -2;
inline constexpr TCursorId crIBeam = -4;
inline constexpr TCursorId crSizeNWSE = -8;
inline constexpr TCursorId crHandPoint = -21;
