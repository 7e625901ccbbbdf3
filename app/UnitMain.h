#pragma once

// The desktop sprite: a borderless per-pixel-alpha form showing the countdown ring, the
// remaining time and the caption; it owns the menu shared with the tray icon, the tray icon
// and the engine's timer, and carries out the countdown engine's output on them.

#include <memory>

#include "app/CountdownEngine.h"
#include "platform/Form.h"

class TvxArc;
class TvxText;
class TvxVisualObject;
class TvxColorAnimation;
class TvxEffect;
class TMenuItem;
class TTimer;
class TTrayIcon;
class TfConfig;
class TfAbout;

class TFormMain : public TForm, public ICountdownView {
  LC_CLASS(TFormMain, TForm)

 public:
  explicit TFormMain(TComponent* owner);
  ~TFormMain() override;

  // Handlers named in the form data.
  void FormCreate(TObject* sender);
  void Timer1Timer(TObject* sender);
  void Timer2Timer(TObject* sender);
  void N2Click(TObject* sender);
  void N3Click(TObject* sender);
  void N5Click(TObject* sender);
  void N6Click(TObject* sender);
  void N8Click(TObject* sender);
  void TrayIcon1Click(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  TCountdownEngine& Engine() { return *engine_; }

  // Each runs its dialog modally, made afresh and freed when it closes; while one is open, a
  // second request brings it forward instead of nesting another.
  void ShowSettings();
  void ShowAbout();
  // The dialog open now, if any.
  TfConfig* SettingsDialog() const { return config_; }
  TfAbout* AboutDialog() const { return about_; }

  // A second start of the program: brings the open dialog or the sprite forward, and shows
  // the sprite when it is hidden and no notification area holds the icon that could bring it
  // back.
  void ComeForward();
  // Whether the notification area shows the program's icon.
  bool TrayIconShown() const;

  // ICountdownView
  void SetRingAngle(float degrees) override;
  void SetTimeText(const std::u16string& text) override;
  void SetCaptionText(const std::u16string& text) override;
  void StartFlashing() override;
  void MakeTopmost() override;
  void ShowSprite() override;
  void HideSprite() override;
  void SetAbortEnabled(bool enabled) override;
  void SetShowSpriteChecked(bool checked) override;
  void BalloonNotice(const std::string& title, const std::string& text, TBalloonIcon icon,
                     int timeout) override;
  void CloseSettingsDialog() override;

 private:
  // The application-wide message hook: a left press lets presses on the sprite move the
  // window, a right press lets them reach the body's menu.
  void AppMessage(INativeWindow& window, const TWindowMessage& message);
  void ToggleSprite();
  template <class T>
  T* Part(const char* name) const;

  std::unique_ptr<TCountdownEngine> engine_;
  TWeakRef<TfConfig> config_;
  TWeakRef<TfAbout> about_;
  int hook_ = 0;
};
