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

namespace {

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

class QtCanvasText : public testing::Test {
 protected:
  TvxCanvasQt canvas{200, 60};
};

TEST_F(QtCanvasText, PrivateFontsAreUsedByName) {
  QFile file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no font file to load";
  const QByteArray bytes = file.readAll();
  TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  canvas.LoadFontFromStream(stream);
  canvas.Font().SetFamily("dejavu sans mono");
  EXPECT_EQ(canvas.QtFont().families().first(), "DejaVu Sans Mono");
}

}  // namespace
