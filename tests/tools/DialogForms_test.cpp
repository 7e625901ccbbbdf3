// The settings and About forms among the resources: they read, their images decode at the
// sizes and in the formats stored, and the layout puts the decoration where the dialogs need it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/RasterBackend.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TFormObject ReadResourceForm(const std::string& name) {
  return ReadFormText(ReadFile(fs::path(LC_SOURCE_DIR) / "resources" / (name + ".form")));
}

const TFormObject* FindObject(const TFormObject& form, const std::string& name) {
  if (form.name == name) return &form;
  for (const TFormObject& child : form.children)
    if (const TFormObject* found = FindObject(child, name)) return found;
  return nullptr;
}

// The bytes of `object`'s bitmap property `property`, empty when it has none.
std::string BitmapBytes(const TFormObject& form, const std::string& object,
                        const std::string& property) {
  const TFormObject* found = FindObject(form, object);
  if (!found) return {};
  for (const TFormProperty& p : found->props)
    if (p.name == property && p.value.type == TValueType::Binary) return p.value.text;
  return {};
}

struct TImage {
  std::string format;
  int width = 0;
  int height = 0;
  bool opaque = false;
};

TImage Decode(const std::string& bytes) {
  TImage image;
  image.format = bytes.starts_with("\x89PNG") ? "png" : bytes.starts_with("\xFF\xD8") ? "jpeg" : "";
  TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  TvxBitmap bitmap;
  if (!bitmap.LoadFromStream(stream)) return image;
  image.width = bitmap.Width();
  image.height = bitmap.Height();
  image.opaque = std::all_of(bitmap.Pixels().begin(), bitmap.Pixels().end(),
                             [](TvxColor c) { return (c >> 24) == 0xFF; });
  return image;
}

class DialogForms : public testing::Test {
 protected:
  static void SetUpTestSuite() { UseRasterBackend(); }

  // Absolute rectangles of the visual objects as vxrender's layout lists them, by name.
  static std::map<std::string, std::string> Layout(const std::string& resource) {
    const fs::path out = fs::temp_directory_path() / ("dialogforms-" + resource);
    fs::create_directories(out);
    const std::string command =
        "XDG_RUNTIME_DIR=" + out.string() + " " LC_VXRENDER " res:" + resource + " " +
        (out / "form.png").string() + " --layout >" + (out / "layout.txt").string();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << resource;
    std::map<std::string, std::string> rects;
    std::istringstream lines(ReadFile(out / "layout.txt"));
    for (std::string name, cls, l, t, r, b, opacity;
         lines >> name >> cls >> l >> t >> r >> b >> opacity;)
      rects[name] = l + " " + t + " " + r + " " + b;
    fs::remove_all(out);
    return rects;
  }
};

TEST_F(DialogForms, SettingsImagesAreStoredAtTheirSizesAndFormats) {
  const TFormObject form = ReadResourceForm("TFCONFIG");
  const TImage strip = Decode(BitmapBytes(form, "RectangleTop", "Fill.Bitmap.Bitmap.PNG"));
  EXPECT_EQ(strip.format, "png");
  EXPECT_EQ(strip.width, 800);
  EXPECT_EQ(strip.height, 26);
  // A bitmap with any translucent pixel is stored as PNG, an opaque one as JPEG.
  EXPECT_FALSE(strip.opaque);
  const TImage tile = Decode(BitmapBytes(form, "RectangleTop2", "Fill.Bitmap.Bitmap.PNG"));
  EXPECT_EQ(tile.format, "jpeg");
  EXPECT_EQ(tile.width, 300);
  EXPECT_EQ(tile.height, 288);
  EXPECT_TRUE(tile.opaque);
  const TImage logo = Decode(BitmapBytes(form, "Image1", "Bitmap.PNG"));
  EXPECT_EQ(logo.format, "png");
  EXPECT_EQ(logo.width, 256);
  EXPECT_EQ(logo.height, 256);
  EXPECT_FALSE(logo.opaque);
}

TEST_F(DialogForms, AboutShowsTheSameLogo) {
  EXPECT_EQ(BitmapBytes(ReadResourceForm("TFABOUT"), "Image1", "Bitmap.PNG"),
            BitmapBytes(ReadResourceForm("TFCONFIG"), "Image1", "Bitmap.PNG"));
}

TEST_F(DialogForms, SettingsDecorationSitsWhereTheDialogNeedsIt) {
  const auto rects = Layout("TFCONFIG");
  EXPECT_EQ(rects.at("Root1"), "0 0 370 458");
  // Centred in the 370 x 458 client area.
  EXPECT_EQ(rects.at("RectangleBody"), "46 55 324 402");
  EXPECT_EQ(rects.at("RectangleTop"), "46 55 324 78");
  EXPECT_EQ(rects.at("Text2"), "46 55 324 78");
  EXPECT_EQ(rects.at("RectangleTop2"), "46 78 324 136");
  EXPECT_EQ(rects.at("Text1"), "117 103 304 132");
  EXPECT_EQ(rects.at("Image1"), "59 84 109 134");
  EXPECT_EQ(rects.at("Line1"), "46 136 324 142");
  EXPECT_EQ(rects.at("RectangleButton2"), "46 358 324 390");
  EXPECT_EQ(rects.at("Text3"), "106 358 264 390");
  EXPECT_EQ(rects.at("RectangleButton"), "46 390 324 402");
  EXPECT_EQ(rects.at("Layout2"), "130 194 307 231");
  EXPECT_EQ(rects.at("Layout1"), "130 203 313 230");
}

TEST_F(DialogForms, AboutCardFillsTheWindowInsideItsPadding) {
  const auto rects = Layout("TFABOUT");
  EXPECT_EQ(rects.at("Layout1"), "0 0 267 370");
  EXPECT_EQ(rects.at("Rectangle1"), "10 10 257 360");
  EXPECT_EQ(rects.at("Rectangle2"), "10 10 257 79");
  EXPECT_EQ(rects.at("Rectangle3"), "10 10 257 79");
  EXPECT_EQ(rects.at("Image1"), "16 16 86 86");
  EXPECT_EQ(rects.at("Text1"), "94 24 254 56");
  EXPECT_EQ(rects.at("Text3"), "26 92 242 180");
  EXPECT_EQ(rects.at("Text5"), "26 176 242 282");
  EXPECT_EQ(rects.at("Text4"), "26 277 242 318");
  EXPECT_EQ(rects.at("Rectangle4"), "10 323 257 360");
  EXPECT_EQ(rects.at("Text6"), "18 323 155 357");
}

TEST_F(DialogForms, AboutTextsAreStoredAsTheDialogShowsThem) {
  const TFormObject form = ReadResourceForm("TFABOUT");
  const auto text = [&form](const std::string& name) {
    for (const TFormProperty& p : FindObject(form, name)->props)
      if (p.name == "Text") return p.value.WideText();
    return std::u16string();
  };
  EXPECT_EQ(text("Text5"), u"说明");  // replaced by the feature list at creation
  EXPECT_EQ(text("Text4"), u"     免费 、绿色，您可以任意下载、转载、传播。");
  EXPECT_TRUE(text("Text3").starts_with(u"      翎川定时关机，界面清爽，操作简单。"));
  EXPECT_NE(text("Text3").find(u"\r\n特别感谢："), std::u16string::npos);
}

}  // namespace
