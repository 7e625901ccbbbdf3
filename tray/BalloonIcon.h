#pragma once

// The icon of a balloon notice at the tray icon, as callers name it.
enum TBalloonIcon : int { vxBalloonNone, vxBalloonError, vxBalloonInfo, vxBalloonWarning };
