#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/component/FormData.h"
#include "platform/component/FormText.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/RasterBackend.h"

namespace {

namespace fs = std::filesystem;

// A form as the program's windows are stored: a scene holding one root with a red bar, and
// a class no one knows.
const char kForm[] =
    "object FormMain: TFormMain\n"
    "  ClientWidth = 60\n"
    "  ClientHeight = 40\n"
    "  object vxScene1: TvxScene\n"
    "    object Root1: TvxLayout\n"
    "      Width = 60.0\n"
    "      Height = 40.0\n"
    "      object Bar: TvxRectangle\n"
    "        Position.Point = '(10,10)'\n"
    "        Width = 20.0\n"
    "        Height = 10.0\n"
    "        Opacity = 0.5\n"
    "        Fill.Color = '#FFFF0000'\n"
    "        Stroke.Style = vxBrushNone\n"
    "      end\n"
    "      object Thing: TvxNoSuchShape\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

const char kLoneObject[] =
    "object Dot: TvxEllipse\n"
    "  Position.Point = '(100,100)'\n"
    "  Width = 8.0\n"
    "  Height = 8.0\n"
    "  Fill.Color = '#FF0000FF'\n"
    "  Stroke.Style = vxBrushNone\n"
    "end\n";

// A blue dot in the middle of a larger layout, with a red glow.
const char kGlowingDot[] =
    "object Box: TvxLayout\n"
    "  Width = 40.0\n"
    "  Height = 40.0\n"
    "  object Dot: TvxEllipse\n"
    "    Position.Point = '(15,15)'\n"
    "    Width = 10.0\n"
    "    Height = 10.0\n"
    "    Fill.Color = '#FF0000FF'\n"
    "    Stroke.Style = vxBrushNone\n"
    "    object Glow: TvxGlowEffect\n"
    "      GlowColor = '#FFFF0000'\n"
    "    end\n"
    "  end\n"
    "end\n";

class VxrenderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { UseRasterBackend(); }

  void SetUp() override {
    std::string dir = (fs::temp_directory_path() / "vxrenderXXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  void Write(const std::string& name, const std::string& data) const {
    std::ofstream(File(name), std::ios::binary) << data;
  }

  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Runs vxrender with `args`; returns its exit code and keeps its output and errors. The
  // private runtime folder the window system asks for is the test's own; `prefix` runs in the
  // same shell first.
  int Run(const std::string& args, const std::string& prefix = "") {
    const std::string command = prefix + "XDG_RUNTIME_DIR=" + dir_.string() + " " +
                                std::string(LC_VXRENDER) + " " + args + " >" + File("stdout") +
                                " 2>" + File("stderr");
    const int status = std::system(command.c_str());
    stdout_ = Read(File("stdout"));
    stderr_ = Read(File("stderr"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::unique_ptr<TvxBitmap> Image(const std::string& name) const {
    auto image = std::make_unique<TvxBitmap>();
    EXPECT_TRUE(image->LoadFromFile(File(name)));
    return image;
  }

  static TvxColor At(const TvxBitmap& image, int x, int y) {
    return image.Pixels()[size_t(y) * size_t(image.Width()) + size_t(x)];
  }

  fs::path dir_;
  std::string stdout_;
  std::string stderr_;
};

TEST_F(VxrenderTest, RendersAFormsSceneAtItsClientSize) {
  Write("form.txt", kForm);
  ASSERT_EQ(Run(File("form.txt") + " " + File("out.png") + " --layout"), 0) << stderr_;
  EXPECT_EQ(stderr_, "");
  EXPECT_EQ(stdout_,
            "Root1 TvxLayout 0 0 60 40 1\n"
            "Bar TvxRectangle 10 10 30 20 0.500\n");
  const auto image = Image("out.png");
  ASSERT_EQ(image->Width(), 60);
  ASSERT_EQ(image->Height(), 40);
  EXPECT_EQ(At(*image, 0, 0), 0u);
  EXPECT_NEAR(At(*image, 15, 15) >> 24, 128, 1);
  EXPECT_EQ(At(*image, 35, 15), 0u);
}

TEST_F(VxrenderTest, ReadsBinaryFormsAndScales) {
  const std::vector<uint8_t> binary = WriteFormBinary(ReadFormText(kForm));
  Write("form.bin", std::string(binary.begin(), binary.end()));
  ASSERT_EQ(Run(File("form.bin") + " " + File("big.png") + " --scale 2"), 0) << stderr_;
  EXPECT_EQ(stdout_, "");
  const auto image = Image("big.png");
  ASSERT_EQ(image->Width(), 120);
  EXPECT_NEAR(At(*image, 25, 25) >> 24, 128, 1);
  EXPECT_EQ(At(*image, 15, 15), 0u);
}

TEST_F(VxrenderTest, RendersALoneObjectAtItsOwnSize) {
  Write("dot.txt", kLoneObject);
  ASSERT_EQ(Run(File("dot.txt") + " " + File("dot.png") + " --layout"), 0) << stderr_;
  // The object is its scene's root, which the scene places at the origin.
  EXPECT_EQ(stdout_, "Dot TvxEllipse 0 0 8 8 1\n");
  const auto image = Image("dot.png");
  ASSERT_EQ(image->Width(), 8);
  EXPECT_EQ(At(*image, 4, 4), 0xFF0000FFu);
  EXPECT_EQ(At(*image, 0, 0), 0u);
}

TEST_F(VxrenderTest, DrawsEffectsAsTheScreenDoes) {
  Write("glow.txt", kGlowingDot);
  ASSERT_EQ(Run(File("glow.txt") + " " + File("glow.png") + " --scale 2"), 0) << stderr_;
  const auto image = Image("glow.png");
  ASSERT_EQ(image->Width(), 80);
  EXPECT_EQ(At(*image, 40, 40), 0xFF0000FFu);
  // The red halo around the blue dot, fading out before the image's edge.
  const TvxColor halo = At(*image, 26, 40);
  EXPECT_GT(halo >> 24, 0u);
  EXPECT_GT((halo >> 16) & 0xFF, 0u);
  EXPECT_EQ(halo & 0xFF, 0u);
  EXPECT_EQ(At(*image, 0, 0), 0u);
}

// A .jpg name asks for JPEG, as the engine stores opaque bitmaps; any other name gets PNG.
TEST_F(VxrenderTest, WritesJpegForAJpgName) {
  Write("dot.txt", kLoneObject);
  ASSERT_EQ(Run(File("dot.txt") + " " + File("dot.JPG") + " --scale 4"), 0) << stderr_;
  EXPECT_TRUE(Read(File("dot.JPG")).starts_with("\xFF\xD8\xFF"));
  const auto image = Image("dot.JPG");
  ASSERT_EQ(image->Width(), 32);
  const TvxColor centre = At(*image, 16, 16);
  EXPECT_EQ(centre >> 24, 255u);
  EXPECT_GT(centre & 0xFF, 200u);  // blue survives the lossy coding
  ASSERT_EQ(Run(File("dot.txt") + " " + File("dot.jpeg.png")), 0) << stderr_;
  EXPECT_TRUE(Read(File("dot.jpeg.png")).starts_with("\x89PNG"));
}

TEST_F(VxrenderTest, UnreadableInputFailsWithOneLine) {
  ASSERT_EQ(Run(File("missing.txt") + " " + File("out.png")), 1);
  EXPECT_EQ(stderr_, "vxrender: " + File("missing.txt") + ": cannot read\n");

  Write("bad.txt", "object Broken: TvxLayout\n  Width = \n");
  ASSERT_EQ(Run(File("bad.txt") + " " + File("out.png")), 1);
  EXPECT_TRUE(stderr_.starts_with("vxrender: " + File("bad.txt") + ": ")) << stderr_;
  EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1);

  ASSERT_EQ(Run("res:NOSUCHFORM " + File("out.png")), 1);
  EXPECT_EQ(stderr_, "vxrender: res:NOSUCHFORM: no such resource\n");
  EXPECT_FALSE(fs::exists(File("out.png")));

  EXPECT_EQ(Run(File("bad.txt")), 2);
}

#if defined(__SANITIZE_ADDRESS__)
#define LC_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LC_SANITIZED 1
#endif
#endif

// The address space is limited with ulimit, which sanitizers cannot start under.
#ifndef LC_SANITIZED
TEST_F(VxrenderTest, RefusesWhatItCannotHoldInOneLine) {
  std::string form = "object Many: TvxLayout\n  Tag = (";
  for (int i = 0; i < 20'000'000; ++i) form += " 1";
  Write("many.txt", form + ")\nend\n");
  EXPECT_EQ(Run(File("many.txt") + " " + File("out.png"), "ulimit -v 131072; "), 1);
  EXPECT_EQ(stderr_, "vxrender: " + File("many.txt") + ": too large to hold in memory\n");
  EXPECT_FALSE(fs::exists(File("out.png")));
}
#endif

}  // namespace
