#pragma once

// The notification-area icon component: one icon with a tooltip in the desktop's
// notification area, its mouse messages turned into events, its popup menu on a right click,
// balloon notices, re-adding after the shell restarts, and hiding and showing the whole
// application.

#include <memory>
#include <string>

#include "platform/Icon.h"
#include "platform/Input.h"
#include "platform/Menus.h"
#include "platform/NotifyArea.h"
#include "platform/component/Component.h"
#include "platform/component/Exceptions.h"
#include "platform/component/Publisher.h"
#include "tray/BalloonIcon.h"

// Mouse events with screen coordinates.
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

class EBalloonHintError : public Exception {
 public:
  using Exception::Exception;
};

class TTrayIcon : public TComponent {
  LC_CLASS(TTrayIcon, TComponent)

 public:
  // Tooltips and balloon titles keep at most 63 characters, balloon texts 255.
  static constexpr size_t kMaxTip = 63;
  static constexpr size_t kMaxBalloonTitle = 63;
  static constexpr size_t kMaxBalloonText = 255;

  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  // Minimising the application hides it.
  bool AutoHide() const { return autoHide_; }
  void SetAutoHide(bool value) { autoHide_ = value; }
  // Mouse messages are turned into events.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  // The tooltip is the part before the first "|", cut to kMaxTip characters.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  // Any change of the icon updates the notification area.
  TIcon* Icon() { return &icon_; }
  void SetIcon(const TIcon& value) { icon_.Assign(value); }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* value);
  // Shows the icon while the form is designed; not stored.
  bool ShowDesign() const { return showDesign_; }
  void SetShowDesign(bool value);
  // Setting it copies the application's icon into Icon.
  bool UseAppIcon() const { return useAppIcon_; }
  void SetUseAppIcon(bool value);

  // Whether the notification area shows the icon.
  bool Shown() const { return shown_; }

  // Adds the icon afresh when it has images; a refused add leaves it not shown.
  void AddIcon();
  void RemoveIcon();
  // Brings the notification area in line with the icon, the tooltip and Active.
  void UpdateIcon();
  // Throws EBalloonHintError when the notification area shows no balloons. The timeout goes
  // to the notification area unchanged, which applies its own limits.
  void ShowBalloonHint(const std::string& title, const std::string& text, TBalloonIcon icon,
                       int timeout);
  // Minimises the application and hides its main form unless that is minimised already; then
  // hides the application's window.
  void HideApplication();
  void ShowApplication();

  void Loaded() override;

  // A click that did not open the menu.
  TMouseEvent OnClick;
  // A double click that no default menu item took.
  TNotifyEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  // Raised after a balloon notice was handed to the notification area.
  TNotifyEvent OnBalloonShow;

 private:
  bool Designing() const { return HasState(csDesigning); }
  TNotifyIconData Record() const;
  void HandleMouse(const TNotifyMouse& mouse);
  void Dispatch(const TNotifyMouse& mouse);
  void Press(TMouseButton button, const TNotifyMouse& mouse);
  void Release(TMouseButton button, const TNotifyMouse& mouse);
  void DoubleClick(TMouseButton button, const TNotifyMouse& mouse);
  void Click(TMouseButton button, const TNotifyMouse& mouse);
  bool PopupMenuAt(int x, int y);
  bool ClickDefaultItem();
  void TaskbarCreated();
  void MinimizeCommand();

  bool active_ = true;
  bool autoHide_ = false;
  bool enabled_ = true;
  std::string hint_;
  TIcon icon_;
  TWeakRef<TPopupMenu> popupMenu_;
  bool showDesign_ = false;
  bool useAppIcon_ = false;
  bool shown_ = false;
  uint32_t marks_ = 0;  // buttons pressed on the icon and not yet released
  bool balloonsSupported_ = false;
  int minimizeHook_ = 0;
  std::unique_ptr<INotifyChannel> channel_;
};
