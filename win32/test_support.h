// What the Windows tests share: files and folders, the real clipboard (set, emptied, read
// back), the ink of a played chart, and a message sink that records instead of showing boxes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas_gdi/gdi_picture.h"
#include "win32/message_boxes.h"

namespace qm {

std::vector<uint8_t> ReadBytes(const std::string& path);
// A bundled example's bytes (examples/NAME).
std::vector<uint8_t> ExampleBytes(const std::string& name);
// A new empty folder under the temporary folder, its name holding `name` and non-ASCII
// characters; removed by RemoveFolder.
std::string NewTemporaryFolder(const std::string& name);
void RemoveFolder(const std::string& folder);

// The clipboard, owned by a window of the test's own while it is set.
void EmptyTheClipboard();
void PutOnClipboard(uint32_t format, const std::vector<uint8_t>& bytes);
void PutTextOnClipboard(const std::wstring& text);
uint32_t Wk1ClipboardFormat();
bool ClipboardHas(uint32_t format);
// The bytes of the clipboard's CF_ENHMETAFILE; empty when there is none.
std::vector<uint8_t> ClipboardMetafile();
// The size of the clipboard's CF_DIB; 0 x 0 when there is none.
void ClipboardBitmapSize(int32_t& width, int32_t& height);

// Pixels of the picture that are not white inside the rectangle (left, top)-(right, bottom),
// and outside it.
int64_t InkInside(const Picture& picture, int32_t left, int32_t top, int32_t right, int32_t bottom);
int64_t InkOutside(const Picture& picture, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);

// Where a metafile played over the rectangle (left, top)-(right, bottom) may put ink: the bounds
// its header gives (in the reference device's pixels), in the picture's pixels.
struct PixelBox {
  int32_t left, top, right, bottom;  // right and bottom exclusive
};
PixelBox HeaderBoundsInPicture(const std::vector<uint8_t>& emf, int32_t left, int32_t top,
                               int32_t right, int32_t bottom);

// Keeps the texts of the boxes it was asked to show, with "own: " or "framework: " before each.
class RecordingBoxes : public Win32MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override { texts.push_back("own: " + text); }
  void ShowFrameworkBox(const std::string& text) override { texts.push_back("framework: " + text); }
  std::vector<std::string> texts;
};

}  // namespace qm
