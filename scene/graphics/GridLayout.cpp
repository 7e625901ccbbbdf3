#include "scene/graphics/GridLayout.h"

#include "platform/component/Publisher.h"
#include "scene/core/Bounds.h"
#include "scene/core/ScopedValue.h"

namespace {

const TEnumInfo OrientationNames{{"vxHorizontal", "vxVertical"}};

}  // namespace

LC_PUBLISH(TvxGridLayout) {
  using C = TvxGridLayout;
  p.Float("ItemWidth", &C::ItemWidth, &C::SetItemWidth, 64);
  p.Float("ItemHeight", &C::ItemHeight, &C::SetItemHeight, 64);
  p.Enum("Orientation", OrientationNames, &C::Orientation, &C::SetOrientation, vxHorizontal);
}

TvxGridLayout::TvxGridLayout(TComponent* owner) : TvxLayout(owner) {}

void TvxGridLayout::SetItemWidth(float value) {
  if (itemWidth_ == value) return;
  itemWidth_ = value;
  Realign();
}

void TvxGridLayout::SetItemHeight(float value) {
  if (itemHeight_ == value) return;
  itemHeight_ = value;
  Realign();
}

void TvxGridLayout::SetOrientation(TvxOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  Realign();
}

void TvxGridLayout::Realign() {
  TvxLayout::Realign();
  if (placing_ || HasState(csLoading) || HasState(csDestroying)) return;
  const TvxScopedValue<bool> guard(placing_, true);
  PlaceItems();
}

void TvxGridLayout::PlaceItems() {
  const TvxRect area = {Margins()->Left(), Margins()->Top(), Width() - Margins()->Right(),
                        Height() - Margins()->Bottom()};
  float x = area.Left;
  float y = area.Top;
  for (int i = 0; i < ChildrenCount(); ++i) {
    auto* item = dynamic_cast<TvxVisualObject*>(Children(i));
    if (!item || !item->Visible()) continue;
    if (orientation_ == vxHorizontal && x > area.Left && x + itemWidth_ > area.Right) {
      x = area.Left;
      y += itemHeight_;
    }
    if (orientation_ == vxVertical && y > area.Top && y + itemHeight_ > area.Bottom) {
      y = area.Top;
      x += itemWidth_;
    }
    const TvxRect& pad = item->Padding()->Rect();
    item->SetBounds(x + pad.Left, y + pad.Top, itemWidth_ - pad.Left - pad.Right,
                    itemHeight_ - pad.Top - pad.Bottom);
    if (orientation_ == vxHorizontal) {
      x += itemWidth_;
    } else {
      y += itemHeight_;
    }
  }
  Repaint();
}
