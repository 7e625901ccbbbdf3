#pragma once

#include <string>

#include "tray/BalloonIcon.h"

// Everything the countdown shows goes through here: the desktop sprite carries it out on its
// scene, its window, its menu and the tray icon.
class ICountdownView {
 public:
  virtual ~ICountdownView() = default;
  virtual void SetRingAngle(float degrees) = 0;                 // ArcTime.EndAngle
  virtual void SetTimeText(const std::u16string& text) = 0;     // TextTime
  virtual void SetCaptionText(const std::u16string& text) = 0;  // Text1
  virtual void StartFlashing() = 0;  // ColorAnimation1 and GlowEffect1 on
  virtual void MakeTopmost() = 0;    // without moving, sizing or activating
  virtual void ShowSprite() = 0;
  virtual void HideSprite() = 0;
  virtual void SetAbortEnabled(bool enabled) = 0;       // N2
  virtual void SetShowSpriteChecked(bool checked) = 0;  // N3
  // May throw an Exception when the shell cannot show balloons.
  virtual void BalloonNotice(const std::string& title, const std::string& text, TBalloonIcon icon,
                             int timeout) = 0;
  virtual void CloseSettingsDialog() = 0;
};
