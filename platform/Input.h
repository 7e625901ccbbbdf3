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
  vkAdd = 107,
  vkSubtract = 109,
  vkF4 = 115,
};
