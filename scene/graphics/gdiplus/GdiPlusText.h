#pragma once

// Text layout in a rectangle: alignment on both axes, optional word wrap, never clipped.
// Drawing, measuring and outlining share one layout so that they agree. GDI+ lays the lines
// out from the top of an unbounded rectangle (a layout shorter than its text would lose
// lines); the block is then placed vertically here.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>
#include <string>

#include "scene/graphics/GraphicsTypes.h"

struct TvxGdiPlusTextLayout {
  Gdiplus::RectF rect;
  bool wordWrap = false;
  TvxTextAlign horzAlign = vxTextAlignNear;
  TvxTextAlign vertAlign = vxTextAlignNear;
};

class TvxGdiPlusText {
 public:
  static void Draw(Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                   const Gdiplus::Brush& brush, const TvxGdiPlusTextLayout& layout,
                   const std::wstring& text);
  // The union of the laid-out lines' boxes, trailing blanks included.
  static Gdiplus::RectF Measure(Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                                const TvxGdiPlusTextLayout& layout, const std::wstring& text);
  // Adds the glyph outlines where Draw would put them (em size in drawing units).
  static bool Outline(Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                      const Gdiplus::FontFamily& family, INT style, float emSize,
                      const TvxGdiPlusTextLayout& layout, const std::wstring& text,
                      Gdiplus::GraphicsPath& outline);

 private:
  static std::unique_ptr<Gdiplus::StringFormat> Format(const TvxGdiPlusTextLayout& layout,
                                                       INT flags);
  // The layout's rectangle without a bottom, its top moved to where the block of lines lies.
  static Gdiplus::RectF Placed(Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                               const TvxGdiPlusTextLayout& layout, const std::wstring& text);
  // The block of lines laid out from the top of the rectangle `area` (height 0: unbounded).
  static Gdiplus::RectF Block(Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                              const TvxGdiPlusTextLayout& layout, const Gdiplus::RectF& area,
                              const std::wstring& text);
};
