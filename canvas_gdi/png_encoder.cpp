// Encoding pixels as PNG with the Windows Imaging Component.
#include "canvas_gdi/png_encoder.h"

#include <cstdio>

#include "base/windows_api.h"

namespace qm {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (p_ != nullptr) p_->Release();
  }
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::string Failure(const char* step, HRESULT result) {
  char code[16];
  snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string("PNG encoding failed (") + step + ": " + code + ")";
}

// The picture's rows as 24-bit blue-green-red pixels, each row padded to four bytes.
std::vector<BYTE> BgrRows(const Picture& picture, UINT stride) {
  std::vector<BYTE> rows(size_t(stride) * size_t(picture.height), 0);
  for (int32_t y = 0; y < picture.height; y++) {
    BYTE* row = rows.data() + size_t(stride) * size_t(y);
    const uint32_t* source = picture.pixels.data() + size_t(y) * size_t(picture.width);
    for (int32_t x = 0; x < picture.width; x++) {
      row[3 * x] = BYTE(source[x]);
      row[3 * x + 1] = BYTE(source[x] >> 8);
      row[3 * x + 2] = BYTE(source[x] >> 16);
    }
  }
  return rows;
}

HRESULT Encode(const Picture& picture, IStream* stream) {
  ComPointer<IWICImagingFactory> factory;
  HRESULT r = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()));
  if (FAILED(r)) return r;
  ComPointer<IWICBitmapEncoder> encoder;
  if (FAILED(r = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()))) return r;
  if (FAILED(r = encoder->Initialize(stream, WICBitmapEncoderNoCache))) return r;
  ComPointer<IWICBitmapFrameEncode> frame;
  ComPointer<IPropertyBag2> properties;
  if (FAILED(r = encoder->CreateNewFrame(frame.out(), properties.out()))) return r;
  if (FAILED(r = frame->Initialize(properties.get()))) return r;
  if (FAILED(r = frame->SetSize(UINT(picture.width), UINT(picture.height)))) return r;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(r = frame->SetPixelFormat(&format))) return r;
  if (format != GUID_WICPixelFormat24bppBGR) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
  const UINT stride = (UINT(picture.width) * 3 + 3) & ~3u;
  std::vector<BYTE> rows = BgrRows(picture, stride);
  if (FAILED(r = frame->WritePixels(UINT(picture.height), stride, UINT(rows.size()), rows.data())))
    return r;
  if (FAILED(r = frame->Commit())) return r;
  return encoder->Commit();
}

}  // namespace

bool EncodePng(const Picture& picture, std::vector<uint8_t>& png, std::string& error) {
  // The imaging component is a COM library; a thread that already uses COM keeps its model.
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ComPointer<IStream> stream;
  HRESULT r = CreateStreamOnHGlobal(nullptr, TRUE, stream.out());
  if (SUCCEEDED(r)) r = Encode(picture, stream.get());
  HGLOBAL memory = nullptr;
  if (SUCCEEDED(r)) r = GetHGlobalFromStream(stream.get(), &memory);
  ULARGE_INTEGER end = {};
  if (SUCCEEDED(r)) r = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &end);
  if (SUCCEEDED(r)) {
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
    png.assign(bytes, bytes + end.QuadPart);
    GlobalUnlock(memory);
  } else {
    error = Failure("imaging component", r);
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
  return SUCCEEDED(r);
}

bool MetafileToPng(const std::vector<uint8_t>& emf, std::vector<uint8_t>& png, std::string& error) {
  Picture picture;
  if (!PlayMetafile(emf, PngChartWidth, PngChartHeight, picture)) {
    error = "the metafile could not be played";
    return false;
  }
  return EncodePng(picture, png, error);
}

}  // namespace qm
