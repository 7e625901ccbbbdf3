#pragma once

// The base of the effects that decorate a visual object with raster processing (shadow,
// glow, blur...). The object is rendered alone into a bitmap, the effect turns that bitmap
// into its result, and the result is drawn beneath, above or instead of the object. Concrete
// effects give their area, the object's place inside the bitmap and the processing.

#include <string>

#include "platform/component/Publisher.h"
#include "scene/core/Geometry.h"
#include "scene/core/Object.h"

class TvxBitmap;
class TvxCanvas;

class TvxEffect : public TvxObject, public IvxEffectEnd {
  LC_CLASS(TvxEffect, TvxObject)

 public:
  explicit TvxEffect(TComponent* owner);
  // Leaves the object while still an effect, so that the area it covered is repainted.
  ~TvxEffect() override;

  // The area the result covers for an object whose local rectangle is `rect`.
  virtual TvxRect GetRect(const TvxRect& rect) const;
  // Where the object's top-left corner lies inside the effect bitmap, in unscaled units.
  virtual TvxPoint GetOffset() const;
  // Turns `bitmap`, holding the object rendered at `scale`, into the effect result.
  virtual void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale);
  // Whether the result depends on the object's alpha alone (a halo of one colour), so that
  // it stays valid while only the object's colours change.
  virtual bool ReadsAlphaOnly() const { return false; }
  // Unique to the effect's current settings among all effects of the process.
  uint64_t Revision() const { return revision_; }
  // Switches Enabled by the Trigger conditions when `event` is one of them: the last
  // condition on a state `instance` publishes decides; none such disables.
  void ApplyTrigger(TvxObject* instance, const std::string& event) override;

  const std::string& Trigger() const { return trigger_; }
  void SetTrigger(const std::string& value) { trigger_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // The object's own painting is skipped; only the result shows.
  bool ReplacesObject() const { return placement_ == Placement::ReplacesObject; }
  // The result is drawn after the object instead of before it.
  bool DrawnAbove() const { return placement_ == Placement::Above; }

 protected:
  enum class Placement { Beneath, Above, ReplacesObject };
  TvxEffect(TComponent* owner, Placement placement);

  // Setters call this after storing a changed value: the object repaints the old and the
  // new area and rebuilds its effect bitmap. Nothing happens while loading.
  void Changed();

 private:
  Placement placement_ = Placement::Beneath;
  std::string trigger_;
  bool enabled_ = true;
  uint64_t revision_;
};
