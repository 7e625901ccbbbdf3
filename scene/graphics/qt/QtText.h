#pragma once

// Text layout in a rectangle: alignment on both axes, optional word wrap, never clipped.
// Drawing, measuring and outlining share one layout so that they agree.

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "scene/graphics/GraphicsTypes.h"

struct TvxQtTextLayout {
  QRectF rect;
  bool wordWrap = false;
  TvxTextAlign horzAlign = vxTextAlignNear;
  TvxTextAlign vertAlign = vxTextAlignNear;
};

class TvxQtText {
 public:
  // Draws with the painter's font and pen.
  static void Draw(QPainter& painter, const TvxQtTextLayout& layout, const QString& text);
  // The union of the laid-out lines' boxes, trailing blanks included.
  static QRectF Measure(const QFont& font, QPaintDevice* device, const TvxQtTextLayout& layout,
                        const QString& text);
  // The glyph outlines where Draw would put them.
  static QPainterPath Outline(const QFont& font, QPaintDevice* device,
                              const TvxQtTextLayout& layout, const QString& text);
  // A 96 dpi device for measuring without a drawing surface.
  static QPaintDevice* MeasureDevice();

 private:
  static int Flags(const TvxQtTextLayout& layout);
};
