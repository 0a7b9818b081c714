// The GIF writer: Qt's own GIF reader gives back every pixel of the 8-bit picture, through code
// widening, a full table and its reset.
#include "app/gif_image.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cstring>
#include <string>

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

TEST(EncodeGif, QtReadsBackEveryPixel) {
  struct Case {
    int width, height;
    const char* kind;
  } cases[] = {{1, 1, "plain"},     {3, 2, "ramp"},       {255, 3, "ramp"},
               {300, 200, "noise"}, {1088, 816, "chart"}, {640, 480, "plain"}};
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
  }
}

TEST(EncodeGif, NothingForANullImage) {
  EXPECT_TRUE(EncodeGif(QImage()).isEmpty());
}

}  // namespace
}  // namespace qm
