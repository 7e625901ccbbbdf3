#include "scene/graphics/gdiplus/GdiPlusText.h"

#include <algorithm>
#include <vector>

using namespace Gdiplus;

namespace {

StringAlignment Alignment(TvxTextAlign align) {
  switch (align) {
    case vxTextAlignCenter:
      return StringAlignmentCenter;
    case vxTextAlignFar:
      return StringAlignmentFar;
    default:
      return StringAlignmentNear;
  }
}

// GDI+ measures at most 32 character ranges per call.
constexpr INT kMaxRanges = 32;

RectF Unbounded(const RectF& rect, REAL top) {
  return RectF(rect.X, top, rect.Width, 0);
}

}  // namespace

std::unique_ptr<StringFormat> TvxGdiPlusText::Format(const TvxGdiPlusTextLayout& layout,
                                                     INT flags) {
  // Typographic: no padding around the text, whose rectangle is its own box.
  auto format = std::unique_ptr<StringFormat>(StringFormat::GenericTypographic()->Clone());
  flags |= StringFormatFlagsNoClip;
  if (!layout.wordWrap) flags |= StringFormatFlagsNoWrap;
  format->SetFormatFlags(flags);
  format->SetAlignment(Alignment(layout.horzAlign));
  format->SetLineAlignment(StringAlignmentNear);
  format->SetTrimming(StringTrimmingNone);
  return format;
}

RectF TvxGdiPlusText::Block(Graphics& graphics, const Font& font,
                            const TvxGdiPlusTextLayout& layout, const RectF& area,
                            const std::wstring& text) {
  const auto format = Format(layout, StringFormatFlagsMeasureTrailingSpaces);
  const INT length = INT(text.size());
  const INT chunk = std::max<INT>(1, (length + kMaxRanges - 1) / kMaxRanges);
  std::vector<CharacterRange> ranges;
  for (INT first = 0; first < length; first += chunk) {
    ranges.emplace_back(first, std::min(chunk, length - first));
  }
  format->SetMeasurableCharacterRanges(INT(ranges.size()), ranges.data());
  std::vector<Region> regions(ranges.size());
  RectF box(area.X, area.Y, 0, 0);
  if (ranges.empty() ||
      graphics.MeasureCharacterRanges(text.c_str(), length, &font, area, format.get(),
                                      INT(regions.size()), regions.data()) != Ok) {
    return box;
  }
  bool first = true;
  for (const Region& region : regions) {
    RectF bounds;
    if (region.IsEmpty(&graphics) || region.GetBounds(&bounds, &graphics) != Ok) continue;
    if (first) {
      box = bounds;
      first = false;
    } else {
      RectF::Union(box, box, bounds);
    }
  }
  // Text of nothing but line breaks has no character box; it still takes its lines.
  if (first) box.Height = font.GetHeight(&graphics);
  return box;
}

RectF TvxGdiPlusText::Placed(Graphics& graphics, const Font& font,
                             const TvxGdiPlusTextLayout& layout, const std::wstring& text) {
  const RectF& rect = layout.rect;
  if (layout.vertAlign == vxTextAlignNear) return Unbounded(rect, rect.Y);
  const RectF block = Block(graphics, font, layout, Unbounded(rect, rect.Y), text);
  const REAL extent = block.GetBottom() - rect.Y;
  const REAL room = rect.Height - extent;
  return Unbounded(rect, rect.Y + (layout.vertAlign == vxTextAlignCenter ? room / 2 : room));
}

void TvxGdiPlusText::Draw(Graphics& graphics, const Font& font, const Brush& brush,
                          const TvxGdiPlusTextLayout& layout, const std::wstring& text) {
  const auto format = Format(layout, 0);
  graphics.DrawString(text.c_str(), INT(text.size()), &font, Placed(graphics, font, layout, text),
                      format.get(), &brush);
}

RectF TvxGdiPlusText::Measure(Graphics& graphics, const Font& font,
                              const TvxGdiPlusTextLayout& layout, const std::wstring& text) {
  return Block(graphics, font, layout, Placed(graphics, font, layout, text), text);
}

bool TvxGdiPlusText::Outline(Graphics& graphics, const Font& font, const FontFamily& family,
                             INT style, float emSize, const TvxGdiPlusTextLayout& layout,
                             const std::wstring& text, GraphicsPath& outline) {
  const auto format = Format(layout, 0);
  return outline.AddString(text.c_str(), INT(text.size()), &family, style, emSize,
                           Placed(graphics, font, layout, text), format.get()) == Ok;
}
