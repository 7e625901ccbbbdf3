#pragma once

// The engine's pixel image: premultiplied ARGB words, rows top to bottom, stride Width * 4.
// It is a drawing target (its canvas is made on demand by the backend) and a source for
// bitmap brushes, images and effects. Backends wrap the pixels instead of copying them, so
// the pixel block only moves when the bitmap reallocates.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/component/Publisher.h"
#include "platform/component/Stream.h"
#include "scene/core/Color.h"
#include "scene/core/Geometry.h"
#include "scene/core/Object.h"
#include "scene/core/ResourceLink.h"

class TvxCanvas;
class TvxBitmapObject;

// The most pixels a bitmap holds (8192 x 8192, 256 MiB). Larger sizes, from bad data or runaway
// layout, leave it empty instead of exhausting memory.
inline constexpr uint64_t MaxBitmapPixels = uint64_t(1) << 26;

// What a backend keeps over a bitmap's pixels (its wrapped image); dropped whenever the
// pixels reallocate and when the bitmap goes.
class TvxBitmapHandle {
 public:
  virtual ~TvxBitmapHandle() = default;
};

class TvxBitmap : public TPersistent {
  LC_CLASS(TvxBitmap, TPersistent)

 public:
  explicit TvxBitmap(int width = 0, int height = 0);
  // Starts empty, then loads encoded image data from the stream.
  explicit TvxBitmap(TMemoryStream& stream);
  ~TvxBitmap() override;
  TvxBitmap(const TvxBitmap&) = delete;
  TvxBitmap& operator=(const TvxBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return pixels_.empty(); }
  std::span<TvxColor> Pixels() { return pixels_; }
  std::span<const TvxColor> Pixels() const { return pixels_; }
  // Row `row` of the pixels; null outside 0..Height-1 or without pixels.
  TvxColor* Scanline(int row);

  // Reallocates (pixels cleared to 0) unless the size is unchanged; negative sizes count as 0.
  void SetSize(int width, int height);
  // Fills with the premultiplied colour.
  void Clear(TvxColor color);
  // Left and top truncated, right and bottom rounded, clipped to the bitmap.
  void ClearRect(const TvxRect& rect, TvxColor color);
  void FlipVertical();
  // Alpha becomes 255 - alpha, colours kept.
  void InvertAlpha();
  // A silhouette: every covered pixel takes the colour at its own coverage.
  void FillColor(TvxColor color);
  // Width * Height alpha bytes.
  std::vector<uint8_t> CreateAlphaMask() const;
  // Fades each pixel by the mask byte at (x - dx, y - dy): 255 clears it, 0 keeps it.
  void ApplyMask(std::span<const uint8_t> mask, int dx, int dy);

  // The canvas drawing into the pixels, made on first use with an identity matrix; null
  // without pixels or without a graphics backend. Freed when the pixels reallocate.
  TvxCanvas* Canvas();
  // Set whenever the pixels change; backends clear it once their image caught up.
  bool NeedUpdate() const { return needUpdate_; }
  void SetNeedUpdate(bool value) { needUpdate_ = value; }
  TvxBitmapHandle* Handle() const { return handle_.get(); }
  void SetHandle(std::unique_ptr<TvxBitmapHandle> handle) { handle_ = std::move(handle); }
  // Callers that wrote pixels directly announce it here.
  void Changed();

  // Encoded image data through the default image codec; false when nothing was loaded.
  bool LoadFromStream(TMemoryStream& stream);
  // PNG, or JPEG at quality 100 when every pixel is opaque.
  bool SaveToStream(TMemoryStream& stream) const;
  // A missing file loads nothing. Rotate is in degrees.
  bool LoadFromFile(const std::string& fileName, float rotate = 0);
  bool SaveToFile(const std::string& fileName, const std::string& params = {}) const;

  TvxBitmapObject* Resource() const { return link_.Get(); }
  void SetResource(TvxBitmapObject* resource);
  const std::string& ResourceName() const { return link_.Name(); }
  void SetResourceName(const std::string& name);
  // The bound resource's bitmap, or null.
  TvxBitmap* ResourceBitmap() const;

  // Binds to the source's resource when it has one, else copies size and pixels.
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;
  // Called first when the pixels reallocate, for owners that keep derived images.
  TNotifyEvent OnReallocate;

 private:
  void Reallocate();
  std::string EncodedBytes() const;
  void ReadEncodedBytes(const std::string& bytes);

  int width_ = 0;
  int height_ = 0;
  std::vector<TvxColor> pixels_;
  bool needUpdate_ = true;
  std::unique_ptr<TvxBitmapHandle> handle_;
  std::unique_ptr<TvxCanvas> canvas_;
  TvxResourceLink<TvxBitmapObject> link_;
};

// A named bitmap among the style resources.
class TvxBitmapObject : public TvxObject {
  LC_CLASS(TvxBitmapObject, TvxObject)

 public:
  explicit TvxBitmapObject(TComponent* owner);
  ~TvxBitmapObject() override;

  TvxBitmap* Bitmap() const { return &bitmap_; }

 private:
  mutable TvxBitmap bitmap_;
};
