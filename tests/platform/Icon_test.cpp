#include "platform/Icon.h"

#include <gtest/gtest.h>

#include "platform/IconCodec.h"
#include "platform/component/FormData.h"

namespace {

TIconImage Square(int side, uint32_t color) {
  return {side, side, std::vector<uint32_t>(size_t(side) * size_t(side), color)};
}

// A PNG file's chunk structure around `payload`; the contents mean nothing to the splitter.
std::string PngFile(const std::string& payload) {
  std::string file = "\x89PNG\r\n\x1a\n";
  auto chunk = [&file](const char* type, const std::string& data) {
    const uint32_t n = uint32_t(data.size());
    file += {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    file += type + data + "CRC!";
  };
  chunk("IHDR", payload);
  chunk("IEND", "");
  return file;
}

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::vector<std::string> Split(const std::string& data) {
  std::vector<std::string> files;
  for (auto file : SplitImageFiles(Bytes(data)))
    files.emplace_back(reinterpret_cast<const char*>(file.data()), file.size());
  return files;
}

// Reads a PNG file as a square whose side is the payload's length, coloured by its first
// byte; writes one back the same way.
class TFakeCodec : public IIconCodec {
 public:
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override {
    if (data.size() < 17 || data[16] == 'b') return false;
    const int side = int(data[11]);
    image = Square(side, side > 0 ? data[16] : 0);
    return true;
  }
  std::string EncodePng(const TIconImage& image) override {
    return PngFile(std::string(size_t(image.width), char(image.pixels[0])));
  }
};

class IconTest : public testing::Test {
 protected:
  IconTest() : previous_(InstallIconCodec(&codec)) {
    icon.OnChange = TNotifyEvent([this](TObject*) { ++changes; });
  }
  ~IconTest() override { InstallIconCodec(previous_); }

  TFakeCodec codec;
  TIcon icon;
  int changes = 0;

 private:
  IIconCodec* previous_;
};

TEST(SplitImageFiles, FindsEveryCompletePngFile) {
  const std::string a = PngFile("first"), b = PngFile("second!");
  EXPECT_EQ((std::vector<std::string>{a, b}), Split(a + b));
  // A file cut short, or anything after the last whole file, ends the list.
  EXPECT_EQ((std::vector<std::string>{a}), Split(a + b.substr(0, b.size() - 1)));
  EXPECT_EQ((std::vector<std::string>{a}), Split(a + "trailing"));
  EXPECT_TRUE(Split(b.substr(0, 20)).empty());
  // A chunk length that runs past the end.
  std::string huge = PngFile("x");
  huge[8] = '\x7f';
  EXPECT_TRUE(Split(huge).empty());
  // Another format is handed over whole.
  EXPECT_EQ((std::vector<std::string>{"BM-bitmap"}), Split("BM-bitmap"));
  EXPECT_TRUE(Split("").empty());
}

TEST_F(IconTest, ImagesAreOnePerSizeAndMustMatchTheirSize) {
  EXPECT_TRUE(icon.Empty());
  EXPECT_TRUE(icon.AddImage(Square(16, 1)));
  EXPECT_TRUE(icon.AddImage(Square(32, 2)));
  EXPECT_TRUE(icon.AddImage(Square(16, 3)));
  ASSERT_EQ(2u, icon.Images().size());
  EXPECT_EQ(3u, icon.Images()[0].pixels[0]);
  EXPECT_FALSE(icon.AddImage({4, 4, std::vector<uint32_t>(15)}));
  EXPECT_FALSE(icon.AddImage({0, 0, {}}));
  EXPECT_FALSE(icon.AddImage(Square(TIcon::kMaxSide + 1, 0)));
  EXPECT_EQ(3, changes);
  EXPECT_EQ(32, icon.ImageFor(40)->width);
  EXPECT_EQ(16, icon.ImageFor(20)->width);
  EXPECT_EQ(32, icon.ImageFor(24)->width);  // a tie takes the larger
  icon.Clear();
  icon.Clear();
  EXPECT_EQ(4, changes);
  EXPECT_EQ(nullptr, icon.ImageFor(16));
}

TEST_F(IconTest, DataReadsEveryImageTheCodecReadsAndWritesBackUnchanged) {
  const std::string data =
      PngFile(std::string(16, '\x07')) + PngFile("bad") + PngFile(std::string(32, '\x09'));
  EXPECT_TRUE(icon.LoadFromData(Bytes(data)));
  ASSERT_EQ(2u, icon.Images().size());
  EXPECT_EQ(Square(16, 7), icon.Images()[0]);
  EXPECT_EQ(Square(32, 9), icon.Images()[1]);
  EXPECT_EQ(data, icon.SaveToData());  // not re-encoded
  EXPECT_EQ(1, changes);

  icon.AddImage(Square(8, 5));  // a change: encoded afresh
  EXPECT_EQ(PngFile(std::string(16, '\x07')) + PngFile(std::string(32, '\x09')) +
                PngFile(std::string(8, '\x05')),
            icon.SaveToData());
}

TEST_F(IconTest, DataNoCodecReadsIsKeptForWriting) {
  InstallIconCodec(nullptr);
  const std::string data = PngFile(std::string(16, '\x07'));
  EXPECT_FALSE(icon.LoadFromData(Bytes(data)));
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(data, icon.SaveToData());

  TIcon copy;
  copy.Assign(icon);
  EXPECT_EQ(data, copy.SaveToData());
  InstallIconCodec(&codec);
}

TEST_F(IconTest, AssignCopiesAndNotifiesOnlyARealChange) {
  TIcon source;
  source.AddImage(Square(16, 1));
  icon.Assign(source);
  icon.Assign(source);
  EXPECT_EQ(source.Images(), icon.Images());
  EXPECT_EQ(1, changes);
}

}  // namespace
