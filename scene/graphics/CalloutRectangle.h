#pragma once

// A rectangle with a triangular pointer on one side, as speech bubbles and hint panels have.
// The pointer takes its length from the body, so the whole shape stays inside the object.

#include "scene/graphics/PathData.h"
#include "scene/graphics/Rectangles.h"

enum TvxCalloutPosition { vxCalloutTop, vxCalloutLeft, vxCalloutBottom, vxCalloutRight };
extern const TEnumInfo CalloutPositionNames;

class TvxCalloutRectangle : public TvxRectangle {
  LC_CLASS(TvxCalloutRectangle, TvxRectangle)

 public:
  explicit TvxCalloutRectangle(TComponent* owner) : TvxRectangle(owner) {}

  float CalloutWidth() const { return calloutWidth_; }
  void SetCalloutWidth(float value);
  float CalloutLength() const { return calloutLength_; }
  void SetCalloutLength(float value);
  TvxCalloutPosition CalloutPosition() const { return calloutPosition_; }
  void SetCalloutPosition(TvxCalloutPosition value);
  // 0 centres the pointer on its side; a positive offset places its base that far after the
  // side's start (left or top), a negative one that far before the side's end.
  float CalloutOffset() const { return calloutOffset_; }
  void SetCalloutOffset(float value);

  // The outline as last built: body and pointer.
  const TvxPathData& Outline() const { return outline_; }
  void Paint() override;

 protected:
  void ShapeChanged() override;

 private:
  void RebuildOutline();
  float PointerBaseStart(float sideStart, float sideEnd, float straightStart,
                         float straightEnd) const;

  float calloutWidth_ = 23;
  float calloutLength_ = 11;
  TvxCalloutPosition calloutPosition_ = vxCalloutTop;
  float calloutOffset_ = 0;
  TvxPathData outline_;
};
