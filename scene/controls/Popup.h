#pragma once

// A control that, when opened, leaves its scene for a borderless, transparent, always-on-top
// window of its own (TvxPopupForm) with a scene of its own, placed next to a target object.
// Popups that do not stay open close on a press anywhere outside every open popup and on
// Escape, newest first; a press in a child popup keeps its parents open.
//
//   popup->SetPlacementTarget(comboBox);
//   popup->SetIsOpen(true);           // shows the window below the combo box
//   popup->SetIsOpen(false);          // plays the "IsOpen" animations out, then hides it

#include <memory>
#include <vector>

#include "platform/Form.h"
#include "platform/Timer.h"
#include "scene/controls/Control.h"

class TvxBounds;
class TvxPopupForm;
class TvxResources;

enum TvxPlacement {
  vxPlacementBottom,
  vxPlacementTop,
  vxPlacementLeft,
  vxPlacementRight,
  vxPlacementCenter,
  vxPlacementBottomCenter,
  vxPlacementTopCenter,
  vxPlacementLeftCenter,
  vxPlacementRightCenter,
  vxPlacementAbsolute,
  vxPlacementMouse,
  vxPlacementMouseCenter,
};

// The placement names of form data, shared by the controls that publish a Placement.
extern const TEnumInfo PlacementNames;

class TvxPopup : public TvxControl {
  LC_CLASS(TvxPopup, TvxControl)

 public:
  explicit TvxPopup(TComponent* owner);
  ~TvxPopup() override;

  // Opens or closes; stays false in a scene being designed.
  bool IsOpen() const { return isOpen_; }
  void SetIsOpen(bool value);
  // Opens and handles messages until the popup closes or a modal result is set; returns
  // the result (mrCancel when closed any other way).
  TModalResult PopupModal();
  // The modal result of a PopupModal run; setting one ends the run.
  void SetModalResult(TModalResult value);
  // Moves the window next to the target as Placement says.
  void ApplyPlacement();
  void ClosePopup();

  TvxPlacement Placement() const { return placement_; }
  void SetPlacement(TvxPlacement value) { placement_ = value; }
  TvxVisualObject* PlacementTarget() const { return target_; }
  void SetPlacementTarget(TvxVisualObject* value);
  // Empty (all 0) by default: the target's own edges are used.
  TvxBounds* PlacementRectangle() const { return placementRectangle_.get(); }
  float HorizontalOffset() const { return horizontalOffset_; }
  void SetHorizontalOffset(float value) { horizontalOffset_ = value; }
  float VerticalOffset() const { return verticalOffset_; }
  void SetVerticalOffset(float value) { verticalOffset_ = value; }
  bool StaysOpen() const { return staysOpen_; }
  void SetStaysOpen(bool value) { staysOpen_ = value; }
  // Together with StaysOpen, the open window follows its target as it moves.
  bool DragWithParent() const { return dragWithParent_; }
  void SetDragWithParent(bool value) { dragWithParent_ = value; }
  // The style container of the popup's own scene; none takes the opening scene's.
  TvxResources* Style() const { return style_; }
  void SetStyle(TvxResources* value);
  TNotifyEvent OnClosePopup;

  // The window while open, else null.
  TvxPopupForm* PopupForm() const { return form_.get(); }
  // The open popups that do not stay open, oldest first.
  static const std::vector<TvxPopup*>& OpenPopups();
  // Closes every popup of the list, newest first.
  static void CloseAllPopups();

  void DialogKey(uint16_t& key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void OpenPopup();
  void CreatePopupForm();
  void CreatePopupScene(IvxScene* fromScene);
  void RestorePlace();
  void PlayClosing();
  void ReleaseForm();
  void StartFollowing();
  // The placed point in screen coordinates, for a target or for the rectangle alone.
  TPointI PlaceNextTo(TvxVisualObject& target) const;
  TPointI PlaceOnRectangle() const;
  TvxVisualObject* EffectiveTarget() const;
  template <class T>
  void Watch(T*& field, T* value);

  std::unique_ptr<TvxBounds> placementRectangle_;
  std::unique_ptr<TvxPopupForm> form_;
  std::unique_ptr<ITimer> follow_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  TvxPlacement placement_ = vxPlacementBottom;
  TvxVisualObject* target_ = nullptr;
  TvxResources* style_ = nullptr;
  // Where the popup was before it opened.
  TvxObject* savedParent_ = nullptr;
  int savedIndex_ = -1;
  TvxPoint savedScale_;
  float horizontalOffset_ = 0;
  float verticalOffset_ = 0;
  bool staysOpen_ = false;
  bool dragWithParent_ = false;
  bool isOpen_ = false;
  bool closing_ = false;
  bool modal_ = false;
};
