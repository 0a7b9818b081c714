// GIF writing: the palette from Qt, the pixels LZW-coded with variable-width codes (9 to 12
// bits) in the way every GIF reader expects, found by open hashing so that a reset is cheap.
#include "app/gif_image.h"

#include <array>
#include <cstdint>

namespace qm {

namespace {

constexpr int32_t ClearCode = 256;
constexpr int32_t EndCode = 257;
constexpr int32_t FirstFreeCode = 258;
constexpr int32_t CodeLimit = 4096;  // 12-bit codes
constexpr int32_t HashSize = 5003;   // a prime about 80 % larger than CodeLimit

void PutU16(QByteArray& out, int32_t value) {
  out.append(char(value & 0xFF));
  out.append(char((value >> 8) & 0xFF));
}

// Packs codes least significant bit first into data sub-blocks of up to 255 bytes.
class CodeWriter {
 public:
  explicit CodeWriter(QByteArray& out) : out_(out) {}

  void Put(int32_t code, int32_t bits) {
    accumulator_ |= uint32_t(code) << pending_;
    pending_ += bits;
    while (pending_ >= 8) {
      Byte(uint8_t(accumulator_ & 0xFF));
      accumulator_ >>= 8;
      pending_ -= 8;
    }
  }
  // Writes what is left and the empty block that ends the data.
  void Finish() {
    if (pending_ > 0) Byte(uint8_t(accumulator_ & 0xFF));
    FlushBlock();
    out_.append(char(0));
  }

 private:
  void Byte(uint8_t byte) {
    block_[size_t(blockLength_++)] = byte;
    if (blockLength_ == 255) FlushBlock();
  }
  void FlushBlock() {
    if (blockLength_ == 0) return;
    out_.append(char(blockLength_));
    out_.append(reinterpret_cast<const char*>(block_.data()), blockLength_);
    blockLength_ = 0;
  }

  QByteArray& out_;
  uint32_t accumulator_ = 0;
  int32_t pending_ = 0;
  std::array<uint8_t, 255> block_{};
  int32_t blockLength_ = 0;
};

void EncodePixels(const QImage& indexed, QByteArray& out) {
  std::array<int32_t, HashSize> keys;
  std::array<int16_t, HashSize> codes;
  keys.fill(-1);
  CodeWriter writer(out);
  int32_t bits = 9;
  int32_t nextCode = FirstFreeCode;
  writer.Put(ClearCode, bits);

  int32_t prefix = -1;
  for (int y = 0; y < indexed.height(); y++) {
    const uchar* line = indexed.constScanLine(y);
    for (int x = 0; x < indexed.width(); x++) {
      const int32_t pixel = line[x];
      if (prefix < 0) {
        prefix = pixel;
        continue;
      }
      // The string prefix + pixel, looked up by double hashing.
      const int32_t key = (pixel << 12) + prefix;
      int32_t slot = (pixel << 4) ^ prefix;
      const int32_t step = slot == 0 ? 1 : HashSize - slot;
      while (keys[size_t(slot)] >= 0 && keys[size_t(slot)] != key) {
        slot -= step;
        if (slot < 0) slot += HashSize;
      }
      if (keys[size_t(slot)] == key) {
        prefix = codes[size_t(slot)];
        continue;
      }
      writer.Put(prefix, bits);
      prefix = pixel;
      if (nextCode < CodeLimit) {
        // A reader widens its codes once the code it would assign next needs another bit.
        if (nextCode == (1 << bits) && bits < 12) bits++;
        codes[size_t(slot)] = int16_t(nextCode++);
        keys[size_t(slot)] = key;
      } else {
        writer.Put(ClearCode, bits);
        keys.fill(-1);
        bits = 9;
        nextCode = FirstFreeCode;
      }
    }
  }
  if (prefix >= 0) {
    writer.Put(prefix, bits);
    // The reader adds an entry for this code too, and widens its codes as after any other.
    if (nextCode == (1 << bits) && bits < 12) bits++;
  }
  writer.Put(EndCode, bits);
  writer.Finish();
}

}  // namespace

QByteArray EncodeGif(const QImage& image) {
  if (image.isNull()) return {};
  const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
  const QList<QRgb> palette = indexed.colorTable();

  QByteArray out("GIF89a");
  PutU16(out, indexed.width());
  PutU16(out, indexed.height());
  out.append(char(0xF7));  // a global table of 256 colours, 8 bits per primary
  out.append(char(0));     // background colour
  out.append(char(0));     // no aspect ratio
  for (int i = 0; i < 256; i++) {
    const QRgb colour = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
    out.append(char(qRed(colour)));
    out.append(char(qGreen(colour)));
    out.append(char(qBlue(colour)));
  }
  out.append(char(0x2C));  // the image, the whole screen, not interlaced
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, indexed.width());
  PutU16(out, indexed.height());
  out.append(char(0));
  out.append(char(8));  // the smallest code size: 8-bit pixels
  EncodePixels(indexed, out);
  out.append(char(0x3B));
  return out;
}

}  // namespace qm
