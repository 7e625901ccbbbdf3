#include "scene/core/AlignLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array kOrder = {vaMostTop,    vaMostBottom, vaMostLeft, vaMostRight,  vaTop,
                               vaBottom,     vaLeft,       vaRight,    vaClient,     vaHorizontal,
                               vaVertical,   vaContents,   vaCenter,   vaHorzCenter, vaVertCenter,
                               vaScale,      vaFit,        vaFitLeft,  vaFitRight,   vaTopRight,
                               vaBottomLeft, vaBottomRight};

bool KeepsOwnWidth(TvxAlign align) {
  switch (align) {
    case vaTopLeft:
    case vaTopRight:
    case vaBottomLeft:
    case vaBottomRight:
    case vaLeft:
    case vaRight:
    case vaMostLeft:
    case vaMostRight:
    case vaVertical:
      return true;
    default:
      return false;
  }
}

bool KeepsOwnHeight(TvxAlign align) {
  switch (align) {
    case vaTopLeft:
    case vaTopRight:
    case vaBottomLeft:
    case vaBottomRight:
    case vaTop:
    case vaBottom:
    case vaMostTop:
    case vaMostBottom:
    case vaHorizontal:
      return true;
    default:
      return false;
  }
}

float CentreOffset(float available, float own) {
  return available < 0 ? 0 : std::trunc((available - own) / 2);
}

}  // namespace

TvxAlignLayout::TvxAlignLayout(TvxVisualObject& parent)
    : parent_(parent), area_(parent.margins_->MarginRect({0, 0, parent.width_, parent.height_})) {}

void TvxAlignLayout::Run() {
  Collect();
  for (TvxAlign align : kOrder)
    for (TvxVisualObject* child : groups_[align]) AlignChild(*child, align);
}

// Stacked edges go in the order of their current place: top and left ascending (a later child
// after equal ones), right and bottom descending by their far edge (a later child before equal
// ones). Other alignments keep child order.
void TvxAlignLayout::Collect() {
  for (TvxVisualObject& visual : parent_.VisualChildren()) {
    TvxVisualObject* child = &visual;
    if (!child->visible_ || child->align_ == vaNone || child->align_ == vaTopLeft) continue;
    const TvxAlign align = child->align_;
    Group& group = groups_[align];
    float (*key)(const TvxVisualObject&) = nullptr;
    bool ascending = true;
    switch (align) {
      case vaTop:
      case vaMostTop:
        key = [](const TvxVisualObject& o) { return o.position_->Y(); };
        break;
      case vaLeft:
      case vaMostLeft:
        key = [](const TvxVisualObject& o) { return o.position_->X(); };
        break;
      case vaRight:
      case vaMostRight:
        key = [](const TvxVisualObject& o) { return o.position_->X() + o.width_; };
        ascending = false;
        break;
      case vaBottom:
      case vaMostBottom:
        key = [](const TvxVisualObject& o) { return o.position_->Y() + o.height_; };
        ascending = false;
        break;
      default:
        break;
    }
    auto at = group.end();
    if (key) {
      const float own = key(*child);
      at = std::find_if(group.begin(), group.end(), [&](const TvxVisualObject* other) {
        return ascending ? key(*other) > own : key(*other) <= own;
      });
    }
    group.insert(at, child);
  }
}

void TvxAlignLayout::AlignChild(TvxVisualObject& child, TvxAlign align) {
  const TvxRect pad = child.padding_->Rect();
  const float ownW = child.width_ + pad.Left + pad.Right;
  const float ownH = child.height_ + pad.Top + pad.Bottom;
  const float availW = area_.Right - area_.Left;
  const float availH = area_.Bottom - area_.Top;
  float u = KeepsOwnWidth(align) || availW < 0 ? ownW : availW;
  float w = KeepsOwnHeight(align) || availH < 0 ? ownH : availH;
  float x0 = align == vaVertical ? child.position_->X() - pad.Left : area_.Left;
  float y0 = align == vaHorizontal ? child.position_->Y() - pad.Top : area_.Top;
  switch (align) {
    case vaTopRight:
    case vaBottomLeft:
    case vaBottomRight:
      return KeepEdgeDistance(child, align);
    case vaContents:
      return FillParent(child);
    case vaScale:
      return ScaleChild(child);
    case vaFit:
    case vaFitLeft:
    case vaFitRight:
      return FitChild(child, align);
    case vaTop:
    case vaMostTop:
      area_.Top += w;
      break;
    case vaBottom:
    case vaMostBottom:
      y0 = area_.Bottom - w;
      area_.Bottom = y0;
      break;
    case vaLeft:
    case vaMostLeft:
      area_.Left += u;
      break;
    case vaRight:
    case vaMostRight:
      x0 = area_.Right - u;
      area_.Right = x0;
      break;
    case vaCenter:
      x0 = area_.Left + CentreOffset(availW, ownW);
      y0 = area_.Top + CentreOffset(availH, ownH);
      u = ownW;
      w = ownH;
      break;
    case vaHorzCenter:
      x0 = area_.Left + CentreOffset(availW, ownW);
      u = ownW;
      break;
    case vaVertCenter:
      y0 = area_.Top + CentreOffset(availH, ownH);
      w = ownH;
      break;
    default:  // vaClient, vaHorizontal, vaVertical take the area without using it up
      break;
  }
  Place(child, x0 + pad.Left, y0 + pad.Top, u - pad.Left - pad.Right, w - pad.Top - pad.Bottom);
  Correct(child, align, u, w);
}

// Anchored to the right or bottom edge: follows the growth since the last layout.
void TvxAlignLayout::KeepEdgeDistance(TvxVisualObject& child, TvxAlign align) {
  TvxPoint p = child.position_->Point();
  if (align != vaBottomLeft) p.X += parent_.width_ - parent_.lastWidth_;
  if (align != vaTopRight) p.Y += parent_.height_ - parent_.lastHeight_;
  if (p == child.position_->Point()) return;
  child.MoveQuietly(p);
  child.MatrixChanged();
}

// Fills the parent inside the child's Padding, ignoring the Margins and the other children.
void TvxAlignLayout::FillParent(TvxVisualObject& child) {
  const TvxRect pad = child.padding_->Rect();
  child.MoveQuietly({pad.Left, pad.Top});
  child.width_ = parent_.width_ - pad.Left - pad.Right;
  child.height_ = parent_.height_ - pad.Top - pad.Bottom;
  child.MatrixChanged();
  child.Realign();
}

// Grows and moves with the parent in proportion to the parent's change of size.
void TvxAlignLayout::ScaleChild(TvxVisualObject& child) {
  if (!(parent_.lastWidth_ > 0 && parent_.lastHeight_ > 0 && parent_.width_ > 0 &&
        parent_.height_ > 0))
    return;
  const float sx = parent_.width_ / parent_.lastWidth_;
  const float sy = parent_.height_ / parent_.lastHeight_;
  child.MoveQuietly({child.position_->X() * sx, child.position_->Y() * sy});
  child.width_ *= sx;
  child.height_ *= sy;
  child.MatrixChanged();
  child.Realign();
}

// Scaled proportionally to fit the parent inside its Margins, centred or at one side.
void TvxAlignLayout::FitChild(TvxVisualObject& child, TvxAlign align) {
  const TvxRect pad = child.padding_->Rect();
  const TvxRect margins = parent_.margins_->Rect();
  const TvxRect bound{margins.Left, margins.Top, parent_.width_ - margins.Right,
                      parent_.height_ - margins.Bottom};
  const float x = child.position_->X();
  const float y = child.position_->Y();
  TvxRect outer{x - pad.Left, y - pad.Top, x + child.width_ + pad.Right,
                y + child.height_ + pad.Bottom};
  const float ratio = FitRect(outer, bound);
  // A child with no extent (ratio 0) cannot be enlarged.
  if (ratio > 0 && ratio < 1) {
    outer = {outer.Left / ratio, outer.Top / ratio, outer.Right / ratio, outer.Bottom / ratio};
    outer = CenterRect(outer, bound);
  }
  if (align == vaFitLeft) OffsetRect(outer, bound.Left - outer.Left, 0);
  if (align == vaFitRight) OffsetRect(outer, bound.Right - outer.Right, 0);
  child.MoveQuietly({outer.Left + pad.Left, outer.Top + pad.Top});
  child.width_ = RectWidth(outer) - pad.Left - pad.Right;
  child.height_ = RectHeight(outer) - pad.Top - pad.Bottom;
  child.MatrixChanged();
  child.Realign();
}

void TvxAlignLayout::Place(TvxVisualObject& child, float x, float y, float width, float height) {
  child.MoveQuietly({x, y});
  if (width != child.width_ || height != child.height_) {
    child.width_ = width;
    child.height_ = height;
    child.Realign();
  }
  child.MatrixChanged();
}

// A child that kept a size of its own gives back what it did not take.
void TvxAlignLayout::Correct(TvxVisualObject& child, TvxAlign align, float u, float w) {
  const TvxRect pad = child.padding_->Rect();
  const float outerW = child.width_ + pad.Left + pad.Right;
  const float outerH = child.height_ + pad.Top + pad.Bottom;
  if (outerW == u && outerH == w) return;
  switch (align) {
    case vaTop:
      area_.Top -= w - outerH;
      break;
    case vaBottom:
      area_.Bottom += w - outerH;
      break;
    case vaLeft:
      area_.Left -= u - outerW;
      break;
    case vaRight:
      area_.Right += u - outerW;
      break;
    case vaClient:
      area_.Right += u - outerW;
      area_.Bottom += w - outerH;
      break;
    default:
      break;
  }
}
