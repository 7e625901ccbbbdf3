#include "scene/graphics/qt/QtText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <vector>

namespace {

Qt::Alignment Horizontal(TvxTextAlign align) {
  switch (align) {
    case vxTextAlignCenter:
      return Qt::AlignHCenter;
    case vxTextAlignFar:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

Qt::Alignment Vertical(TvxTextAlign align) {
  switch (align) {
    case vxTextAlignCenter:
      return Qt::AlignVCenter;
    case vxTextAlignFar:
      return Qt::AlignBottom;
    default:
      return Qt::AlignTop;
  }
}

// Where a block of `extent` starts inside [start, start + room) for an alignment.
qreal Place(TvxTextAlign align, qreal start, qreal room, qreal extent) {
  switch (align) {
    case vxTextAlignCenter:
      return start + (room - extent) / 2;
    case vxTextAlignFar:
      return start + room - extent;
    default:
      return start;
  }
}

// A line width no text reaches, for lines that only break at line feeds.
constexpr qreal kUnboundedWidth = 1e6;

}  // namespace

int TvxQtText::Flags(const TvxQtTextLayout& layout) {
  int flags = int(Horizontal(layout.horzAlign) | Vertical(layout.vertAlign)) | Qt::TextDontClip;
  if (layout.wordWrap) flags |= Qt::TextWordWrap;
  return flags;
}

QPaintDevice* TvxQtText::MeasureDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
  }();
  return &device;
}

void TvxQtText::Draw(QPainter& painter, const TvxQtTextLayout& layout, const QString& text) {
  painter.drawText(layout.rect, Flags(layout), text);
}

QRectF TvxQtText::Measure(const QFont& font, QPaintDevice* device, const TvxQtTextLayout& layout,
                          const QString& text) {
  QFontMetricsF metrics(font, device);
  return metrics.boundingRect(layout.rect, Flags(layout) | Qt::TextIncludeTrailingSpaces, text);
}

QPainterPath TvxQtText::Outline(const QFont& font, QPaintDevice* device,
                                const TvxQtTextLayout& layout, const QString& text) {
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout textLayout(lines, font, device);
  QTextOption option;
  option.setWrapMode(layout.wordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
  textLayout.setTextOption(option);
  const qreal width = layout.rect.width();
  std::vector<QTextLine> placed;
  qreal height = 0;
  textLayout.beginLayout();
  for (QTextLine line = textLayout.createLine(); line.isValid(); line = textLayout.createLine()) {
    line.setLineWidth(layout.wordWrap ? std::max<qreal>(width, 0) : kUnboundedWidth);
    line.setPosition(QPointF(0, height));
    height += line.height();
    placed.push_back(line);
  }
  textLayout.endLayout();
  const qreal top = Place(layout.vertAlign, layout.rect.top(), layout.rect.height(), height);
  QPainterPath outline;
  for (QTextLine& line : placed) {
    const qreal left = Place(layout.horzAlign, layout.rect.left(), width, line.naturalTextWidth());
    // Glyph positions already include the line's vertical place.
    const QPointF origin(left, top);
    for (const QGlyphRun& run : line.glyphRuns()) {
      const QRawFont raw = run.rawFont();
      const auto glyphs = run.glyphIndexes();
      const auto positions = run.positions();
      for (qsizetype i = 0; i < glyphs.size(); ++i) {
        outline.addPath(raw.pathForGlyph(glyphs[i]).translated(origin + positions[i]));
      }
    }
  }
  return outline;
}
