#include "scene/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsFakes.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/graphics/Filter.h"

namespace {

class TImageHolder : public TComponent {
  LC_CLASS(TImageHolder, TComponent)

 public:
  explicit TImageHolder(TComponent* owner) : TComponent(owner) {}
  TvxBitmap* Bitmap() const { return &bitmap; }
  mutable TvxBitmap bitmap;
};
LC_PUBLISH(TImageHolder) {
  p.Object("Bitmap", &TImageHolder::Bitmap);
}

class CountedHandle : public TvxBitmapHandle {
 public:
  explicit CountedHandle(int& released) : released_(released) {}
  ~CountedHandle() override { ++released_; }

 private:
  int& released_;
};

std::vector<TvxColor> PixelsOf(const TvxBitmap& bitmap) {
  return {bitmap.Pixels().begin(), bitmap.Pixels().end()};
}

TEST(Bitmap, SizesAndScanlines) {
  TvxBitmap bitmap;
  bitmap.SetSize(0, 5);
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_EQ(bitmap.Scanline(0), nullptr);

  bitmap.SetSize(3, 2);
  EXPECT_EQ(PixelsOf(bitmap), std::vector<TvxColor>(6, 0));
  EXPECT_EQ(bitmap.Scanline(1), bitmap.Pixels().data() + 3);
  EXPECT_EQ(bitmap.Scanline(2), nullptr);
  EXPECT_EQ(bitmap.Scanline(-1), nullptr);

  bitmap.SetSize(-3, 4);
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_EQ(bitmap.Width(), 0);
  bitmap.SetSize(100000, 100000);  // more than any image the engine makes
  EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(Bitmap, ReallocationDropsWhatWasBuiltOverThePixels) {
  FakeBackend backend;
  TvxBitmap bitmap(2, 2);
  int released = 0, reallocations = 0, changes = 0, releasedBefore = -1;
  bitmap.OnReallocate = [&](TObject*) {
    ++reallocations;
    releasedBefore = released;
  };
  bitmap.OnChange = [&](TObject*) { ++changes; };
  bitmap.SetHandle(std::make_unique<CountedHandle>(released));
  TvxCanvas* canvas = bitmap.Canvas();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas->Bitmap(), &bitmap);
  EXPECT_EQ(canvas->Width(), 2);
  EXPECT_EQ(canvas->Matrix(), IdentityMatrix);
  EXPECT_EQ(bitmap.Canvas(), canvas);
  EXPECT_EQ(backend.canvasesMade, 1);

  bitmap.SetSize(2, 2);
  EXPECT_EQ(reallocations, 0);
  bitmap.SetNeedUpdate(false);
  bitmap.SetSize(4, 1);
  EXPECT_EQ(reallocations, 1);
  EXPECT_EQ(releasedBefore, 0);  // owners hear first
  EXPECT_EQ(released, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bitmap.NeedUpdate());
  EXPECT_EQ(bitmap.Handle(), nullptr);
  ASSERT_NE(bitmap.Canvas(), nullptr);
  EXPECT_EQ(backend.canvasesMade, 2);

  bitmap.SetHandle(std::make_unique<CountedHandle>(released));
  bitmap.SetSize(0, 0);
  EXPECT_EQ(released, 2);
  EXPECT_EQ(bitmap.Canvas(), nullptr);
}

TEST(Bitmap, HasNoCanvasWithoutABackend) {
  TvxBitmap bitmap(4, 4);
  EXPECT_EQ(bitmap.Canvas(), nullptr);
  TMemoryStream stream;
  EXPECT_FALSE(bitmap.SaveToStream(stream));
  EXPECT_FALSE(bitmap.LoadFromStream(stream));
}

TEST(BitmapPixels, ClearFillsPremultiplied) {
  TvxBitmap bitmap(4, 3);
  int changes = 0;
  bitmap.OnChange = [&](TObject*) { ++changes; };
  bitmap.Clear(0x80FF0000);
  EXPECT_EQ(PixelsOf(bitmap), std::vector<TvxColor>(12, PremultiplyColor(0x80FF0000)));
  // Left and top truncate, right and bottom round (halves to even), clipped to the bitmap.
  bitmap.Clear(0);
  bitmap.ClearRect({0.7f, -5, 2.5f, 1.6f}, 0xFF00FF00);
  const TvxColor g = 0xFF00FF00;
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<TvxColor>{g, g, 0, 0, g, g, 0, 0, 0, 0, 0, 0}));
  bitmap.ClearRect({NAN, 1, 1e30f, NAN}, 0xFF0000FF);
  bitmap.ClearRect({3, 0, 1, 3}, 0xFF0000FF);
  EXPECT_EQ(bitmap.Pixels()[0], g);
  EXPECT_EQ(changes, 5);
}

TEST(BitmapPixels, FlipInvertAndSilhouette) {
  TvxBitmap bitmap(1, 3);
  auto pixels = bitmap.Pixels();
  pixels[0] = PremultiplyColor(0x40FF0000);
  pixels[1] = 0;
  pixels[2] = 0xFF00FF00;
  bitmap.FlipVertical();
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<TvxColor>{0xFF00FF00, 0, PremultiplyColor(0x40FF0000)}));

  bitmap.InvertAlpha();
  EXPECT_EQ(ColorAlpha(pixels[0]), 0u);
  EXPECT_EQ(pixels[1], 0xFF000000u);  // transparent becomes opaque black
  EXPECT_EQ(ColorAlpha(pixels[2]), 0xBFu);
  EXPECT_EQ(ColorRed(UnpremultiplyColor(pixels[2])), 0xFFu);

  pixels[0] = 0;
  pixels[1] = PremultiplyColor(0x80123456);
  pixels[2] = 0xFFFFFFFF;
  bitmap.FillColor(0xFFFF0000);
  EXPECT_EQ(PixelsOf(bitmap),
            (std::vector<TvxColor>{0, PremultiplyColor(ColorWithOpacity(0xFFFF0000, 128.f / 255)),
                                   0xFFFF0000}));
}

TEST(BitmapPixels, AlphaMasks) {
  TvxBitmap bitmap(2, 2);
  bitmap.Clear(0xFFFFFFFF);
  bitmap.Pixels()[3] = 0;
  EXPECT_EQ(bitmap.CreateAlphaMask(), (std::vector<uint8_t>{255, 255, 255, 0}));

  // The mask is read at (x - dx, y - dy): its top-left byte fades pixel (1, 0).
  const std::vector<uint8_t> mask{255, 0, 128, 0};
  bitmap.ApplyMask(mask, 1, 0);
  EXPECT_EQ(bitmap.Pixels()[0], 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.Pixels()[1], 0u);
  EXPECT_EQ(bitmap.Pixels()[2], 0xFFFFFFFFu);
  bitmap.ApplyMask(mask, 0, 0);
  EXPECT_EQ(ColorAlpha(bitmap.Pixels()[2]), 127u);
  // Offsets far outside and a short mask touch nothing.
  bitmap.ApplyMask(mask, INT32_MIN, INT32_MAX);
  bitmap.ApplyMask(std::vector<uint8_t>{0}, 0, 0);
  EXPECT_EQ(ColorAlpha(bitmap.Pixels()[2]), 127u);
}

TEST(BitmapStreaming, StoresOpaqueImagesAsJpegAndOthersAsPng) {
  FakeBackend backend;
  TImageHolder holder(nullptr);
  EXPECT_TRUE(TObjectWriter(holder).Write(holder).props.empty());
  holder.bitmap.SetSize(2, 1);
  holder.bitmap.Clear(0xFF336699);
  TFormObject form = TObjectWriter(holder).Write(holder);
  ASSERT_EQ(form.props.size(), 1u);
  EXPECT_EQ(form.props[0].name, "Bitmap.PNG");
  EXPECT_EQ(form.props[0].value.type, TValueType::Binary);
  EXPECT_EQ(backend.codec.format, "jpeg");
  EXPECT_EQ(backend.codec.params, "quality=100");

  holder.bitmap.Pixels()[1] = PremultiplyColor(0x80336699);
  form = TObjectWriter(holder).Write(holder);
  EXPECT_EQ(backend.codec.format, "png");
  EXPECT_EQ(backend.codec.params, "");

  TImageHolder copy(nullptr);
  TObjectReader reader;
  reader.ReadInto(copy, ReadFormBinary(WriteFormBinary(form)));
  EXPECT_TRUE(reader.Errors().empty());
  EXPECT_EQ(copy.bitmap.Width(), 2);
  EXPECT_EQ(PixelsOf(copy.bitmap), PixelsOf(holder.bitmap));

  // Data the codec cannot read leaves the bitmap as it was.
  form.props[0].value = TFormValue::Bytes("garbage");
  TObjectReader().ReadInto(copy, form);
  EXPECT_EQ(PixelsOf(copy.bitmap), PixelsOf(holder.bitmap));
}

TEST(BitmapStreaming, MissingFilesLoadNothing) {
  FakeBackend backend;
  TvxBitmap bitmap(1, 1);
  EXPECT_FALSE(bitmap.LoadFromFile("/nonexistent/picture.png"));
  EXPECT_FALSE(bitmap.LoadFromFile("/"));
  EXPECT_EQ(backend.codec.loads, 0);
  EXPECT_EQ(bitmap.Width(), 1);
}

TEST(BitmapAssign, CopiesPixelsOrBindsToTheSameResource) {
  TvxBitmap source(2, 1);
  source.Clear(0xFF00FF00);
  TvxBitmap copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_EQ(PixelsOf(copy), PixelsOf(source));

  auto* resource = new TvxBitmapObject(nullptr);
  resource->SetResourceName("icon");
  source.SetResourceName("Icon");
  EXPECT_EQ(source.ResourceBitmap(), resource->Bitmap());
  TvxBitmap bound;
  bound.Assign(source);
  EXPECT_EQ(bound.Resource(), resource);
  EXPECT_TRUE(bound.IsEmpty());
  delete resource;
  EXPECT_EQ(bound.ResourceBitmap(), nullptr);
  EXPECT_EQ(source.ResourceBitmap(), nullptr);
}

TEST(ImageCodec, SharedRules) {
  EXPECT_EQ(TvxFilter::MimeTypeOfFormat("JPG"), "image/jpeg");
  EXPECT_EQ(TvxFilter::MimeTypeOfFormat("tif"), "image/tiff");
  EXPECT_EQ(TvxFilter::MimeTypeOfFormat("webp"), "image/png");
  EXPECT_EQ(TvxFilter::MimeTypeOfFile("/a.b/photo.JPEG"), "image/jpeg");
  EXPECT_EQ(TvxFilter::MimeTypeOfFile("scan.tiff"), "image/tiff");
  EXPECT_EQ(TvxFilter::MimeTypeOfFile("notes.txt"), "");
  EXPECT_EQ(TvxFilter::MimeTypeOfFile("dir.png/file"), "");
  EXPECT_EQ(TvxFilter::QualityParameter("size=2 Quality=80"), 80);
  EXPECT_EQ(TvxFilter::QualityParameter("quality=x"), std::nullopt);
  EXPECT_EQ(TvxFilter::QualityParameter(""), std::nullopt);
}

}  // namespace
