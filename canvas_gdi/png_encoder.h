// PNG pictures on Windows: GDI plays the metafile, the Windows Imaging Component encodes the
// pixels. This is how quillmap-cli.exe writes a .png.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas_gdi/gdi_picture.h"

namespace qm {

// The width of a chart drawn as PNG, as on Linux; the height keeps the frame's 4:3.
constexpr int32_t PngChartWidth = 1088;
constexpr int32_t PngChartHeight = 816;

// The picture as PNG bytes. False with a reason when the imaging component fails.
bool EncodePng(const Picture& picture, std::vector<uint8_t>& png, std::string& error);

// The metafile played on white at PngChartWidth x PngChartHeight, as PNG bytes.
bool MetafileToPng(const std::vector<uint8_t>& emf, std::vector<uint8_t>& png, std::string& error);

}  // namespace qm
