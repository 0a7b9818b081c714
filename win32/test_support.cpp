// Shared pieces of the Windows tests.
#include "win32/test_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/windows_api.h"
#include "import/import_worksheet.h"
#include "io/wide_text.h"

namespace qm {

namespace {

// A message-only window: the clipboard's data need an owner to be set.
HWND ClipboardOwner() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"quillmap test clipboard owner", 0, 0, 0, 0,
                                       0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return window;
}

// Opens the clipboard, trying for a while: another program (the one under test, or Wine's
// own clipboard manager) may hold it for a moment.
bool OpenTheClipboard(HWND owner) {
  for (int attempt = 0; attempt < 200; attempt++) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

void SetClipboard(uint32_t format, const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  if (!OpenTheClipboard(ClipboardOwner())) return;
  EmptyClipboard();
  if (SetClipboardData(format, memory) == nullptr) GlobalFree(memory);
  CloseClipboard();
}

}  // namespace

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(std::filesystem::path(WideFromUtf8(path)), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>());
}

std::vector<uint8_t> ExampleBytes(const std::string& name) {
  return ReadBytes(std::string(QUILLMAP_SOURCE_DIR) + "/examples/" + name);
}

std::string NewTemporaryFolder(const std::string& name) {
  static int counter = 0;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      WideFromUtf8("quillmap-" + name + "-\xC3\xA9t\xC3\xA9-\xE6\xA1\x8C\xE9\x9D\xA2-" +
                   std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return Utf8FromWide(folder.wstring());
}

void RemoveFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(WideFromUtf8(folder)), ignored);
}

void EmptyTheClipboard() {
  if (!OpenTheClipboard(ClipboardOwner())) return;
  EmptyClipboard();
  CloseClipboard();
}

void PutOnClipboard(uint32_t format, const std::vector<uint8_t>& bytes) {
  SetClipboard(format, bytes.data(), bytes.size());
}

void PutTextOnClipboard(const std::wstring& text) {
  SetClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

uint32_t Wk1ClipboardFormat() {
  return RegisterClipboardFormatW(WideFromUtf8(Wk1FormatName).c_str());
}

bool ClipboardHas(uint32_t format) {
  return IsClipboardFormatAvailable(format) != FALSE;
}

std::vector<uint8_t> ClipboardMetafile() {
  std::vector<uint8_t> bytes;
  if (!OpenTheClipboard(nullptr)) return bytes;
  if (auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE))) {
    bytes.resize(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, UINT(bytes.size()), bytes.data());
  }
  CloseClipboard();
  return bytes;
}

void ClipboardBitmapSize(int32_t& width, int32_t& height) {
  width = height = 0;
  if (!OpenTheClipboard(nullptr)) return;
  if (HANDLE dib = GetClipboardData(CF_DIB)) {
    if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib))) {
      width = header->biWidth;
      height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
      GlobalUnlock(dib);
    }
  }
  CloseClipboard();
}

int64_t InkInside(const Picture& picture, int32_t left, int32_t top, int32_t right,
                  int32_t bottom) {
  int64_t ink = 0;
  for (int32_t y = std::max(top, 0); y < std::min(bottom, picture.height); y++) {
    for (int32_t x = std::max(left, 0); x < std::min(right, picture.width); x++) {
      if (picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] != PictureWhite) ink++;
    }
  }
  return ink;
}

int64_t InkOutside(const Picture& picture, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  return InkInside(picture, 0, 0, picture.width, picture.height) -
         InkInside(picture, left, top, right, bottom);
}

PixelBox HeaderBoundsInPicture(const std::vector<uint8_t>& emf, int32_t left, int32_t top,
                               int32_t right, int32_t bottom) {
  ENHMETAHEADER header = {};
  std::memcpy(&header, emf.data(), std::min(emf.size(), sizeof header));
  // The frame (hundredths of a millimetre) in reference pixels: what the player stretches over
  // the rectangle.
  const double pixelsPerMmX = double(header.szlDevice.cx) / header.szlMillimeters.cx;
  const double pixelsPerMmY = double(header.szlDevice.cy) / header.szlMillimeters.cy;
  const double frameLeft = header.rclFrame.left / 100.0 * pixelsPerMmX;
  const double frameTop = header.rclFrame.top / 100.0 * pixelsPerMmY;
  const double scaleX =
      (right - left) / ((header.rclFrame.right - header.rclFrame.left) / 100.0 * pixelsPerMmX);
  const double scaleY =
      (bottom - top) / ((header.rclFrame.bottom - header.rclFrame.top) / 100.0 * pixelsPerMmY);
  // Bounds are inclusive; a pixel of rounding either way.
  return {int32_t(std::floor(left + (header.rclBounds.left - frameLeft) * scaleX)) - 1,
          int32_t(std::floor(top + (header.rclBounds.top - frameTop) * scaleY)) - 1,
          int32_t(std::ceil(left + (header.rclBounds.right + 1 - frameLeft) * scaleX)) + 1,
          int32_t(std::ceil(top + (header.rclBounds.bottom + 1 - frameTop) * scaleY)) + 1};
}

}  // namespace qm
