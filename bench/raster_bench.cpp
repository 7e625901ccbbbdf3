// The raster canvas against plain QPainter doing the same drawing in the same run, so that
// the canvas's own overhead shows as a ratio (bench/raster_ratios.sh prints them).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/qt/CanvasQt.h"
#include "scene/graphics/qt/FontSubstitution.h"

namespace {

constexpr TvxColor kTop = 0xFF2C7FC7;
constexpr TvxColor kBottom = 0xFF1A598E;

// A target like the canvas's own buffer, with the canvas's painter settings.
struct PlainTarget {
  QImage image;
  QPainter painter;
  explicit PlainTarget(int width, int height)
      : image(width, height, QImage::Format_ARGB32_Premultiplied) {
    image.fill(0);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    painter.begin(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
  }
};

void OursGradientRoundRect(benchmark::State& state) {
  TvxCanvasQt canvas(300, 300);
  TvxBrush& fill = canvas.Fill();
  fill.SetStyle(vxBrushGradient);
  fill.Gradient()->Points()->Clear();
  fill.Gradient()->Points()->AddPoint(kTop, 0);
  fill.Gradient()->Points()->AddPoint(kBottom, 1);
  for (auto _ : state) {
    canvas.FillRect(RectOf(0, 0, 300, 300), 20, 20, AllCorners, 1, vxCornerRound);
  }
}

void PlainGradientRoundRect(benchmark::State& state) {
  PlainTarget target(300, 300);
  for (auto _ : state) {
    QLinearGradient gradient(0, 0, 0, 300);
    gradient.setColorAt(0, QColor::fromRgba(kTop));
    gradient.setColorAt(1, QColor::fromRgba(kBottom));
    target.painter.setPen(Qt::NoPen);
    target.painter.setBrush(gradient);
    target.painter.drawRoundedRect(QRectF(0, 0, 300, 300), 20, 20);
  }
}

void OursRoundCappedArc(benchmark::State& state) {
  TvxCanvasQt canvas(62, 62);
  canvas.Stroke().SetColor(0xFFE5E5E5);
  canvas.SetStrokeThickness(5);
  canvas.SetStrokeCap(vxCapRound);
  for (auto _ : state) canvas.DrawArc(PointOf(31, 31), PointOf(26, 26), -90, 270, 1);
}

void PlainRoundCappedArc(benchmark::State& state) {
  PlainTarget target(62, 62);
  for (auto _ : state) {
    QPen pen(QColor::fromRgba(0xFFE5E5E5), 5);
    pen.setCapStyle(Qt::RoundCap);
    target.painter.setPen(pen);
    target.painter.setBrush(Qt::NoBrush);
    target.painter.drawArc(QRectF(5, 5, 52, 52), 90 * 16, -270 * 16);
  }
}

const std::u16string kChinese = u"翎川定时关机 - 关机倒计时";

void OursChineseText(benchmark::State& state) {
  TvxCanvasQt canvas(300, 30);
  canvas.Font().SetFamily("黑体");
  canvas.Font().SetSize(15);
  canvas.Fill().SetColor(0xC8FFFFFF);
  for (auto _ : state) {
    canvas.FillText(RectOf(0, 0, 300, 30), kChinese, false, 1, vxTextAlignNear, vxTextAlignCenter);
  }
}

void PlainChineseText(benchmark::State& state) {
  PlainTarget target(300, 30);
  const QFont font = TvxFontSubstitution::MakeFont("黑体", 15, false, false);
  const QString text = QString::fromStdU16String(kChinese);
  for (auto _ : state) {
    target.painter.setPen(QColor::fromRgba(0xC8FFFFFF));
    target.painter.setFont(font);
    target.painter.drawText(QRectF(0, 0, 300, 30), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
}

void FillPattern(std::span<TvxColor> pixels) {
  uint32_t seed = 12345;
  for (TvxColor& pixel : pixels) {
    seed = seed * 1103515245 + 12345;
    pixel = 0xFF000000 | (seed >> 8);
  }
}

void OursScaledBitmap(benchmark::State& state) {
  TvxBitmap bitmap(256, 256);
  FillPattern(bitmap.Pixels());
  TvxCanvasQt canvas(128, 128);
  for (auto _ : state) {
    canvas.DrawBitmap(bitmap, RectOf(0, 0, 256, 256), RectOf(0, 0, 128, 128), 1, false);
  }
}

void PlainScaledBitmap(benchmark::State& state) {
  QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
  FillPattern(std::span(reinterpret_cast<TvxColor*>(image.bits()), 256 * 256));
  PlainTarget target(128, 128);
  for (auto _ : state) {
    target.painter.drawImage(QRectF(0, 0, 128, 128), image, QRectF(0, 0, 256, 256));
  }
}

BENCHMARK(OursGradientRoundRect);
BENCHMARK(PlainGradientRoundRect);
BENCHMARK(OursRoundCappedArc);
BENCHMARK(PlainRoundCappedArc);
BENCHMARK(OursChineseText);
BENCHMARK(PlainChineseText);
BENCHMARK(OursScaledBitmap);
BENCHMARK(PlainScaledBitmap);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  UseRasterBackend();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
