// Playing a metafile into pixels with GDI.
#include "canvas_gdi/gdi_picture.h"

#include <cstring>

#include "base/windows_api.h"

namespace qm {

bool PlayMetafile(const std::vector<uint8_t>& emf, int32_t width, int32_t height, int32_t left,
                  int32_t top, int32_t right, int32_t bottom, Picture& picture) {
  if (width <= 0 || height <= 0 || emf.empty()) return false;
  HENHMETAFILE metafile = SetEnhMetaFileBits(UINT(emf.size()), emf.data());
  if (metafile == nullptr) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool played = false;
  if (dc != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    const RECT frame = {left, top, right, bottom};
    played = PlayEnhMetaFile(dc, metafile, &frame) != FALSE;
    GdiFlush();
    if (played) {
      picture.width = width;
      picture.height = height;
      picture.pixels.resize(size_t(width) * size_t(height));
      const auto* source = static_cast<const uint32_t*>(bits);
      for (size_t i = 0; i < picture.pixels.size(); i++) picture.pixels[i] = source[i] & 0xFFFFFF;
    }
    SelectObject(dc, previous);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (dc != nullptr) DeleteDC(dc);
  DeleteEnhMetaFile(metafile);
  return played;
}

bool PlayMetafile(const std::vector<uint8_t>& emf, int32_t width, int32_t height,
                  Picture& picture) {
  return PlayMetafile(emf, width, height, 0, 0, width, height, picture);
}

std::vector<uint8_t> PackedDib(const Picture& picture) {
  const size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;  // rows from the bottom
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = DWORD(stride * size_t(picture.height));
  std::vector<uint8_t> dib(sizeof header + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  for (int32_t y = 0; y < picture.height; y++) {
    uint8_t* row = dib.data() + sizeof header + stride * size_t(picture.height - 1 - y);
    const uint32_t* source = picture.pixels.data() + size_t(y) * size_t(picture.width);
    for (int32_t x = 0; x < picture.width; x++) {
      row[3 * x] = uint8_t(source[x]);            // blue
      row[3 * x + 1] = uint8_t(source[x] >> 8);   // green
      row[3 * x + 2] = uint8_t(source[x] >> 16);  // red
    }
  }
  return dib;
}

}  // namespace qm
