// Putting a chart on the Windows clipboard: the metafile (CF_ENHMETAFILE) made from the very
// bytes of the file on the desktop, and a bitmap of it (CF_DIB) for programs that take only
// pictures. The system keeps both after the program has ended.
#pragma once

#include <cstdint>
#include <vector>

#include "base/windows_api.h"

namespace qm {

// The bitmap's size: the metafile's frame at 4:3, large enough to print.
constexpr int32_t ClipboardBitmapWidth = 1200;
constexpr int32_t ClipboardBitmapHeight = 900;

// Empties the clipboard (opened with `owner`) and puts the chart on it. False when a step
// failed; the caller does not look, as a chart on the desktop is there either way.
bool PublishChart(HWND owner, const std::vector<uint8_t>& emf);

}  // namespace qm
