#pragma once

// The text caret of a visual object: a small rectangle child made on first use, blinking
// through an opacity animation when the scene animates carets. The parts are created by
// class name, so the caret works with whatever shape and animation classes are registered.

#include "scene/core/Color.h"
#include "scene/core/Geometry.h"
#include "scene/core/Object.h"

class TvxVisualObject;

class TvxCaret : private IvxFreeNotify {
 public:
  explicit TvxCaret(TvxVisualObject& owner);
  virtual ~TvxCaret();
  TvxCaret(const TvxCaret&) = delete;
  TvxCaret& operator=(const TvxCaret&) = delete;

  // Shows the caret and starts its blinking unless it runs.
  void Show();
  void Hide();
  // Placed on whole units.
  void SetPos(const TvxPoint& point);
  void SetSize(const TvxPoint& size);
  void SetColor(TvxColor color);
  // The caret rectangle, once made.
  TvxVisualObject* Object() const { return shape_; }

 private:
  TvxVisualObject& Shape();
  void CreateBlink();
  void FreeNotify(TvxObject* object) override;

  TvxVisualObject& owner_;
  TvxVisualObject* shape_ = nullptr;
  TvxObject* blink_ = nullptr;
};
