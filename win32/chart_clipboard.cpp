// Publishing a chart on the Windows clipboard.
#include "win32/chart_clipboard.h"

#include <cstring>

#include "canvas_gdi/gdi_picture.h"

namespace qm {

namespace {

// Movable global memory holding the bytes, as the clipboard takes them; nullptr on failure.
HGLOBAL GlobalCopy(const std::vector<uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory == nullptr) return nullptr;
  void* p = GlobalLock(memory);
  if (p == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool PublishChart(HWND owner, const std::vector<uint8_t>& emf) {
  // Made before the clipboard is opened: nobody waits on it while GDI plays the chart.
  HENHMETAFILE metafile = SetEnhMetaFileBits(UINT(emf.size()), emf.data());
  Picture picture;
  HGLOBAL dib = nullptr;
  if (PlayMetafile(emf, ClipboardBitmapWidth, ClipboardBitmapHeight, picture)) {
    dib = GlobalCopy(PackedDib(picture));
  }
  bool published = false;
  if (metafile != nullptr && OpenClipboard(owner)) {
    EmptyClipboard();
    // Once set, the clipboard owns the data; what it refused is released here.
    published = SetClipboardData(CF_ENHMETAFILE, metafile) != nullptr;
    if (!published) DeleteEnhMetaFile(metafile);
    metafile = nullptr;
    if (dib != nullptr && SetClipboardData(CF_DIB, dib) != nullptr) dib = nullptr;
    CloseClipboard();
  }
  if (metafile != nullptr) DeleteEnhMetaFile(metafile);
  if (dib != nullptr) GlobalFree(dib);
  return published;
}

}  // namespace qm
