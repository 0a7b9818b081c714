// The GIF writer: Qt's own GIF reader gives back every pixel of the 8-bit picture, through code
// widening, a full table and its reset, and a strict reader finds the end code where it belongs.
#include "app/gif_image.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace qm {
namespace {

QImage Picture(int width, int height, const char* kind) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QRandomGenerator random(7);
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      if (std::strcmp(kind, "noise") == 0) {  // no repeats: the table fills and resets often
        image.setPixel(x, y,
                       qRgb(int(random.bounded(6)) * 51, int(random.bounded(6)) * 51,
                            int(random.bounded(6)) * 51));
      } else if (std::strcmp(kind, "ramp") == 0) {
        image.setPixel(x, y, qRgb((x * 7) % 256, (y * 3) % 256, (x + y) % 256));
      }
    }
  }
  if (std::strcmp(kind, "chart") == 0) {  // long runs, few colours, smooth edges
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 0, 180));
    painter.drawEllipse(QRectF(10, 10, width - 20, height - 20));
    painter.drawText(QPointF(30, 40), QStringLiteral("Dose \u00b1 SD"));
  }
  return image;
}

// The colour indices of a GIF as a strict LZW reader takes them: every code already known or the
// next one, widths widened as the table grows, the end code right after the last pixel and only
// padding after it. Empty where any of this fails.
std::vector<uint8_t> StrictPixels(const QByteArray& gif) {
  const size_t image = 6 + 7 + 768;  // signature, screen, global colour table
  const auto* p = reinterpret_cast<const uint8_t*>(gif.constData());
  if (size_t(gif.size()) < image + 11 || p[image] != 0x2C || p[image + 10] != 8) return {};
  const size_t count =
      size_t(p[image + 5] | p[image + 6] << 8) * (p[image + 7] | p[image + 8] << 8);
  std::vector<uint8_t> data;  // the sub-blocks joined
  size_t at = image + 11;
  for (; at < size_t(gif.size()) && p[at] != 0; at += 1 + p[at]) {
    data.insert(data.end(), p + at + 1, p + std::min(at + 1 + p[at], size_t(gif.size())));
  }
  if (at + 2 != size_t(gif.size())) return {};  // the empty block and the trailer
  std::vector<std::vector<uint8_t>> table;
  std::vector<uint8_t> pixels, previous;
  size_t bit = 0;
  for (size_t bits = 9;;) {
    if (bit + bits > data.size() * 8) return {};
    size_t code = 0;
    for (size_t i = 0; i < bits; i++, bit++) code |= size_t(data[bit / 8] >> bit % 8 & 1) << i;
    if (code == 256) {
      table.assign(258, {});
      for (int i = 0; i < 256; i++) table[size_t(i)] = {uint8_t(i)};
      bits = 9;
      previous.clear();
      continue;
    }
    if (code == 257) break;
    if (code > table.size() || (code == table.size() && previous.empty())) return {};
    std::vector<uint8_t> entry = code < table.size() ? table[code] : previous;
    if (code == table.size()) entry.push_back(previous[0]);
    if (!previous.empty() && table.size() < 4096) {
      previous.push_back(entry[0]);
      table.push_back(previous);
    }
    if (table.size() == size_t(1) << bits && bits < 12) bits++;
    pixels.insert(pixels.end(), entry.begin(), entry.end());
    previous = entry;
  }
  if (pixels.size() != count || data.size() * 8 - bit >= 8) return {};
  return pixels;
}

TEST(EncodeGif, QtReadsBackEveryPixel) {
  struct Case {
    int width, height;
    const char* kind;
  } cases[] = {{1, 1, "plain"},
               {3, 2, "ramp"},
               {255, 3, "ramp"},
               // The last pixel's code fills the 9-bit table and the end code closes a byte: only
               // the wider end code shows that the reader's widening was followed.
               {337, 26, "noise"},
               {300, 200, "noise"},
               {1088, 816, "chart"},
               {640, 480, "plain"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.kind);
    const QImage image = Picture(c.width, c.height, c.kind);
    const QByteArray gif = EncodeGif(image);
    ASSERT_TRUE(gif.startsWith("GIF89a"));
    ASSERT_TRUE(gif.endsWith(";"));
    const QImage read = QImage::fromData(gif, "GIF").convertToFormat(QImage::Format_RGB32);
    const QImage expected =
        image.convertToFormat(QImage::Format_Indexed8).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(read.size(), image.size());
    EXPECT_EQ(read, expected);
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    std::vector<uint8_t> indices;
    for (int y = 0; y < indexed.height(); y++) {
      for (int x = 0; x < indexed.width(); x++)
        indices.push_back(uint8_t(indexed.pixelIndex(x, y)));
    }
    EXPECT_TRUE(StrictPixels(gif) == indices);
  }
}

TEST(EncodeGif, NothingForANullImage) {
  EXPECT_TRUE(EncodeGif(QImage()).isEmpty());
}

}  // namespace
}  // namespace qm
