#include "platform/win32/Win32IconCodec.h"

#include <climits>

using Microsoft::WRL::ComPtr;

namespace {

bool Usable(const TIconImage& image) {
  return image.width > 0 && image.height > 0 && image.width <= TIcon::kMaxSide &&
         image.height <= TIcon::kMaxSide &&
         image.pixels.size() == size_t(image.width) * size_t(image.height);
}

// The first frame of the data in straight BGRA; null when it cannot be read or is too large.
ComPtr<IWICBitmapSource> FirstFrame(IWICImagingFactory& factory, std::span<const uint8_t> data) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  if (FAILED(factory.CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size()))) ||
      FAILED(factory.CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                             &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      width == 0 || height == 0 || width > UINT(TIcon::kMaxSide) ||
      height > UINT(TIcon::kMaxSide)) {
    return nullptr;
  }
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), &converted)))
    return nullptr;
  return converted;
}

// The bytes written to a memory stream.
std::string StreamBytes(IStream& stream) {
  STATSTG status{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream.Stat(&status, STATFLAG_NONAME)) ||
      FAILED(GetHGlobalFromStream(&stream, &memory))) {
    return {};
  }
  const void* bytes = GlobalLock(memory);
  if (!bytes) return {};
  std::string result(static_cast<const char*>(bytes), size_t(status.cbSize.QuadPart));
  GlobalUnlock(memory);
  return result;
}

}  // namespace

TWin32IconCodec::TWin32IconCodec()
    : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_));
}

TWin32IconCodec::~TWin32IconCodec() {
  factory_.Reset();
  if (comStarted_) CoUninitialize();
}

bool TWin32IconCodec::Decode(std::span<const uint8_t> data, TIconImage& image) {
  if (!factory_ || data.empty() || data.size() > size_t(UINT_MAX)) return false;
  const ComPtr<IWICBitmapSource> frame = FirstFrame(*factory_.Get(), data);
  UINT width = 0, height = 0;
  if (!frame || FAILED(frame->GetSize(&width, &height))) return false;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  if (FAILED(frame->CopyPixels(nullptr, width * 4, UINT(pixels.size() * 4),
                               reinterpret_cast<BYTE*>(pixels.data())))) {
    return false;
  }
  image = {int(width), int(height), std::move(pixels)};
  return true;
}

std::string TWin32IconCodec::EncodePng(const TIconImage& image) {
  if (!factory_ || !Usable(image)) return {};
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  const UINT stride = UINT(image.width) * 4;
  auto* pixels = reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.pixels.data()));
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
      FAILED(factory_->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &options)) ||
      FAILED(frame->Initialize(options.Get())) ||
      FAILED(frame->SetSize(UINT(image.width), UINT(image.height))) ||
      FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA ||
      FAILED(frame->WritePixels(UINT(image.height), stride, stride * UINT(image.height), pixels)) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  return StreamBytes(*stream.Get());
}
