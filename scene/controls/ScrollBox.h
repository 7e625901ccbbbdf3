#pragma once

// A control that shows a content object larger than itself through a viewport (its style's
// "content" part) with scroll bars that appear while the content overflows. Visual children
// given to the box move into the content object; the wheel scrolls three fifths of the
// viewport per notch, gliding when Animated.

#include <functional>

#include "scene/controls/Control.h"

class TvxCanvas;
class TvxScrollBar;
class TvxScrollBox;

// The object that holds a scroll box's children and moves under the viewport.
class TvxScrollContent : public TvxVisualObject {
 public:
  explicit TvxScrollContent(TvxScrollBox& box);

  bool IsScrollContent() const override { return true; }
  // A child was resized or moved: the box lays the content out again.
  void Realign() override;
  void Paint() override;

 protected:
  void ChildAdded(TvxObject* object) override;
  void ChildRemoved(TvxObject* object) override;

 private:
  TvxScrollBox& box_;
};

class TvxScrollBox : public TvxControl {
  LC_CLASS(TvxScrollBox, TvxControl)

 public:
  explicit TvxScrollBox(TComponent* owner);
  ~TvxScrollBox() override;

  bool AutoHide() const { return autoHide_; }
  void SetAutoHide(bool value);
  bool Animated() const { return animated_; }
  void SetAnimated(bool value) { animated_ = value; }
  bool DisableMouseWheel() const { return disableMouseWheel_; }
  void SetDisableMouseWheel(bool value) { disableMouseWheel_ = value; }
  bool MouseTracking() const { return mouseTracking_; }
  void SetMouseTracking(bool value) { mouseTracking_ = value; }
  bool ShowScrollBars() const { return showScrollBars_; }
  void SetShowScrollBars(bool value);
  bool ShowSizeGrip() const { return showSizeGrip_; }
  void SetShowSizeGrip(bool value);
  bool UseSmallScrollBars() const { return useSmallScrollBars_; }
  void SetUseSmallScrollBars(bool value);

  // The object that holds the scrolled children.
  TvxVisualObject* Content() const { return content_; }
  // The style's viewport part, or the box itself without a style.
  TvxVisualObject* Viewport() const;
  // The bound scroll bars, or null.
  TvxScrollBar* VScrollBar() const { return vbar_; }
  TvxScrollBar* HScrollBar() const { return hbar_; }
  // The visible area in the viewport's coordinates: the viewport less its visible bars.
  TvxRect ViewportRect() const;
  // The scroll position: the content's top-left corner lies at minus this.
  TvxPoint ScrollOffset() const;
  // Lays the content out and updates the scroll bars.
  void RealignContent();

  // Keeps the content's layout as it is while alive, for an item borrowed to be painted
  // elsewhere at another size.
  class TLayoutFreeze {
   public:
    explicit TLayoutFreeze(TvxScrollBox& box) : box_(box), was_(box.laying_) { box.laying_ = true; }
    ~TLayoutFreeze() { box_.laying_ = was_; }
    TLayoutFreeze(const TLayoutFreeze&) = delete;
    TLayoutFreeze& operator=(const TLayoutFreeze&) = delete;

   private:
    TvxScrollBox& box_;
    bool was_;
  };

  void ApplyStyle() override;
  void FreeStyle() override;
  void Realign() override;
  void AddObject(TvxObject* object) override;
  void MouseWheel(TShiftState shift, int wheelDelta, bool& handled) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;

 protected:
  // Places the content's children for a viewport `width` wide; returns the content's size.
  virtual TvxPoint LayoutContent(float width);
  // After the content moved under the viewport or was laid out again.
  virtual void ContentScrolled() {}
  // Draws beneath the content's children, in the content's coordinates.
  virtual void PaintContent(TvxCanvas&) {}
  // Whether a child given to the box belongs into the content.
  virtual bool IsContentChild(TvxObject* object) const;

 private:
  friend class TvxScrollContent;

  void BindScrollBars();
  TvxScrollBar* BarPart(const char* name);
  void HideBar(TvxScrollBar* bar);
  void UpdateBar(TvxScrollBar* bar, bool overflows, float length, float view);
  void ScrollChanged();
  float BarThickness(TvxScrollBar* bar, bool vertical) const;

  TvxScrollContent* content_ = nullptr;
  TvxVisualObject* viewport_ = nullptr;
  TvxScrollBar* vbar_ = nullptr;
  TvxScrollBar* hbar_ = nullptr;
  bool autoHide_ = true;
  bool animated_ = true;
  bool disableMouseWheel_ = false;
  bool mouseTracking_ = false;
  bool showScrollBars_ = true;
  bool showSizeGrip_ = false;
  bool useSmallScrollBars_ = false;
  bool laying_ = false;
};
