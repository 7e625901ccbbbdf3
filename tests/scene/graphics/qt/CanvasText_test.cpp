#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <set>

#include "scene/graphics/qt/CanvasQt.h"
#include "scene/graphics/qt/FontSubstitution.h"
#include "scene/graphics/qt/RasterTesting_support.h"

namespace {

// Bounds of the pixels with any coverage; empty when there are none.
QRect InkBounds(const TvxCanvasQt& canvas) {
  QRect ink;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (AlphaAt(canvas, x, y)) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

uint32_t MaxAlpha(const TvxCanvasQt& canvas) {
  uint32_t most = 0;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) most = std::max(most, AlphaAt(canvas, x, y));
  }
  return most;
}

bool FaceHas(const QString& family, char16_t c) {
  QFont font(family);
  font.setPixelSize(20);
  return QRawFont::fromFont(font).supportsCharacter(QChar(c));
}

struct FamilyCase {
  const char* family;
  bool chinese;
};

class FontFamilies : public testing::TestWithParam<FamilyCase> {};

// Every face the forms name draws digits (and Chinese where the forms use it), and none of
// them falls to a symbol font.
TEST_P(FontFamilies, ResolveToFacesWithTheGlyphs) {
  const QString family = QString::fromUtf8(GetParam().family);
  const QStringList faces = TvxFontSubstitution::Families(family);
  ASSERT_FALSE(faces.isEmpty());
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
    EXPECT_TRUE(FaceHas(faces.first(), digit)) << faces.first().toStdString();
  }
  EXPECT_TRUE(FaceHas(faces.first(), u':'));
  for (const QString& face : faces) {
    EXPECT_FALSE(QFontDatabase::writingSystems(face) ==
                 QList<QFontDatabase::WritingSystem>{QFontDatabase::Symbol});
  }
  const bool chinese = std::any_of(faces.begin(), faces.end(), [](const QString& face) {
    return FaceHas(face, u'关') && FaceHas(face, u'翎') && FaceHas(face, u'时');
  });
  EXPECT_TRUE(chinese) << faces.join(',').toStdString();
  if (GetParam().chinese) {
    EXPECT_TRUE(FaceHas(faces.first(), u'定'));
  }

  const QFont font = TvxFontSubstitution::MakeFont(family, 15, false, false);
  const QFontInfo info(font);
  EXPECT_TRUE(faces.contains(info.family())) << info.family().toStdString();
  QFontMetricsF metrics(font);
  EXPECT_TRUE(metrics.inFont(QChar(u'5')));
}

// The faces that draw `text` in `font`, after the platform's per-character fallback.
std::set<QString> FacesDrawing(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::set<QString> faces;
  for (const QGlyphRun& run : layout.glyphRuns()) faces.insert(run.rawFont().familyName());
  return faces;
}

// A Chinese text of the dialogs mixes traditional-looking shared characters and simplified ones;
// drawn by two faces it would change style within a word.
TEST_P(FontFamilies, ChineseTextIsDrawnByOneFace) {
  const QFont font = TvxFontSubstitution::MakeFont(GetParam().family, 13, true, false);
  const auto faces =
      FacesDrawing(font, QString::fromUtf16(u"翎川定时关机右键托盘图标可重新打开设置计时方式："));
  EXPECT_EQ(faces.size(), 1u) << QStringList(faces.begin(), faces.end()).join(',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(FormFamilies, FontFamilies,
                         testing::Values(FamilyCase{"Tahoma", false}, FamilyCase{"Impact", false},
                                         FamilyCase{"impact", false}, FamilyCase{"Fixedsys", false},
                                         FamilyCase{"黑体", true}, FamilyCase{"华文行楷", true},
                                         FamilyCase{"宋体", true}, FamilyCase{"微软雅黑", true},
                                         FamilyCase{"No Such Family", false}));

TEST(FontSubstitution, ImpactIsBoldAndNarrowerThanTahoma) {
  const QFont impact = TvxFontSubstitution::MakeFont("Impact", 36, false, false);
  const QFont tahoma = TvxFontSubstitution::MakeFont("Tahoma", 36, true, false);
  EXPECT_TRUE(impact.bold());
  EXPECT_LT(QFontMetricsF(impact).horizontalAdvance("00:00:00"),
            QFontMetricsF(tahoma).horizontalAdvance("00:00:00"));
}

class CanvasText : public testing::Test {
 protected:
  TvxCanvasQt canvas{200, 60};

  void SetUp() override {
    canvas.Clear(0);
    canvas.Fill().SetColor(0xFF000000);
  }
  TvxRect Measure(const std::u16string& text, bool wrap = false, float width = 200) {
    TvxRect r = RectOf(0, 0, width, 60);
    canvas.MeasureText(r, text, wrap, vxTextAlignNear, vxTextAlignNear);
    return r;
  }
};

TEST_F(CanvasText, TextIsDrawnInsideItsRectangle) {
  canvas.Font().SetFamily("Impact");
  canvas.Font().SetSize(36);
  const TvxRect box = RectOf(20, 5, 190, 55);
  canvas.FillText(box, u"00:12:59", false, 1, vxTextAlignNear, vxTextAlignCenter);
  const QRect ink = InkBounds(canvas);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), 20);
  EXPECT_GE(ink.top(), 5);
  EXPECT_LE(ink.bottom(), 55);
  EXPECT_LT(ink.left(), 30);
  EXPECT_GT(ink.height(), 18);
}

TEST_F(CanvasText, ChineseTextIsDrawnAndCentred) {
  canvas.Font().SetFamily("黑体");
  canvas.Font().SetSize(15);
  canvas.FillText(RectOf(0, 0, 200, 60), u"关机倒计时", false, 1, vxTextAlignCenter,
                  vxTextAlignCenter);
  const QRect ink = InkBounds(canvas);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR(ink.center().x(), 100, 3);
  EXPECT_NEAR(ink.center().y(), 30, 3);
  EXPECT_NEAR(ink.width(), 75, 8);
}

TEST_F(CanvasText, FullOpacityTextIsDrawnAtNinetyNinePercent) {
  canvas.Font().SetSize(30);
  canvas.FillText(RectOf(0, 0, 200, 60), u"HHHH", false, 1, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(MaxAlpha(canvas), 252u);
}

TEST_F(CanvasText, NothingForEmptyTextOrNoFill) {
  canvas.FillText(RectOf(0, 0, 200, 60), u"", false, 1, vxTextAlignNear, vxTextAlignNear);
  canvas.Fill().SetStyle(vxBrushNone);
  canvas.FillText(RectOf(0, 0, 200, 60), u"abc", false, 1, vxTextAlignNear, vxTextAlignNear);
  EXPECT_TRUE(InkBounds(canvas).isEmpty());
}

TEST_F(CanvasText, MeasuringLatinAndChinese) {
  canvas.Font().SetSize(20);
  const TvxRect latin = Measure(u"Hello");
  EXPECT_EQ(latin.Left, 0);
  EXPECT_GT(RectWidth(latin), 30);
  EXPECT_LT(RectWidth(latin), 80);
  EXPECT_NEAR(RectHeight(latin), 23, 6);
  EXPECT_GT(RectWidth(Measure(u"Hello ")), RectWidth(latin));

  const TvxRect chinese = Measure(u"定时关机");
  EXPECT_NEAR(RectWidth(chinese), 80, 4);
  EXPECT_NEAR(canvas.TextWidth(u"定时关机"), RectWidth(chinese), 0.5);
}

TEST_F(CanvasText, MeasuringEmptyTextWithoutWrapCollapsesTheWidth) {
  TvxRect r = RectOf(10, 10, 100, 40);
  canvas.MeasureText(r, u"", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(r, RectOf(10, 10, 10, 40));
}

TEST_F(CanvasText, WordWrapAddsLines) {
  const std::u16string text = u"one two three four five six";
  const TvxRect single = Measure(text);
  const TvxRect wrapped = Measure(text, true, 60);
  EXPECT_GT(RectHeight(wrapped), 2 * RectHeight(single));
  EXPECT_LE(RectWidth(wrapped), 60);
}

TEST_F(CanvasText, OutlinesLieWhereTheTextIsDrawn) {
  canvas.Font().SetSize(24);
  TvxPathData path;
  const TvxRect box = RectOf(10, 10, 190, 50);
  ASSERT_TRUE(canvas.TextToPath(path, box, u"Az翎", false, vxTextAlignNear, vxTextAlignNear));
  ASSERT_FALSE(path.IsEmpty());
  EXPECT_EQ(path.Points().front().Kind, vxPathPointMoveTo);
  EXPECT_EQ(path.Points().back().Kind, vxPathPointClose);
  const bool curves =
      std::any_of(path.Points().begin(), path.Points().end(),
                  [](const TvxPathPoint& p) { return p.Kind == vxPathPointCurveTo; });
  EXPECT_TRUE(curves);
  const TvxRect bounds = path.GetBounds();
  TvxRect measured = box;
  canvas.MeasureText(measured, u"Az翎", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_GE(bounds.Left, measured.Left - 1);
  EXPECT_LE(bounds.Right, measured.Right + 1);
  EXPECT_GE(bounds.Top, measured.Top - 1);
  EXPECT_LE(bounds.Bottom, measured.Bottom + 1);
  EXPECT_FALSE(canvas.TextToPath(path, box, u"", false, vxTextAlignNear, vxTextAlignNear));
}

TEST_F(CanvasText, PrivateFontsAreUsedByName) {
  QFile file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no font file to load";
  const QByteArray bytes = file.readAll();
  TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  canvas.LoadFontFromStream(stream);
  canvas.Font().SetFamily("dejavu sans mono");
  EXPECT_EQ(canvas.QtFont().families().first(), "DejaVu Sans Mono");
}

}  // namespace
