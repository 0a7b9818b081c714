// Metafiles played by GDI, the system's own player: into a picture of pixels on white, the
// bitmap the clipboard offers beside the metafile, and what the tests look at.
#pragma once

#include <cstdint>
#include <vector>

namespace qm {

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
};

constexpr uint32_t PictureWhite = 0xFFFFFF;

// Plays the metafile into a width x height picture on white, its frame stretched over the
// rectangle (left, top)-(right, bottom) of the picture (drawing outside the frame lands
// outside that rectangle). False when the bytes are no metafile or GDI fails.
bool PlayMetafile(const std::vector<uint8_t>& emf, int32_t width, int32_t height, int32_t left,
                  int32_t top, int32_t right, int32_t bottom, Picture& picture);
// The same with the frame over the whole picture.
bool PlayMetafile(const std::vector<uint8_t>& emf, int32_t width, int32_t height, Picture& picture);

// The picture as a packed device-independent bitmap (CF_DIB): a BITMAPINFOHEADER, then 24-bit
// rows from the bottom up, each padded to four bytes.
std::vector<uint8_t> PackedDib(const Picture& picture);

}  // namespace qm
