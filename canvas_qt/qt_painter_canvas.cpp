// Painting the drawing operations with QPainter.
#include "canvas_qt/qt_painter_canvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPolygonF>
#include <cmath>
#include <vector>

#include "import/codepage.h"
#include "plot/text_layout.h"

namespace qm {

namespace {

QtMessageHandler previousMessageHandler = nullptr;

// Where XDG_RUNTIME_DIR is unset (cron, containers, a CI runner) Qt warns that it falls back to
// a folder of its own. Nothing here uses that folder, and quillmap-cli's standard error is for
// its own messages, so that one warning is dropped; every other message goes on as before.
void DropRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
  if (type == QtWarningMsg &&
      message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
    return;
  }
  if (previousMessageHandler != nullptr) previousMessageHandler(type, context, message);
}

}  // namespace

void EnsureQtGui() {
  if (QCoreApplication::instance() != nullptr) return;
  previousMessageHandler = qInstallMessageHandler(DropRuntimeFolderWarning);
  static int argc = 3;
  static char name[] = "quillmap";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  static QGuiApplication application(argc, argv);
}

namespace {

QColor ToQColor(Color color) {
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// One pixel of the reference screen: the thinnest line the metafile shows.
constexpr double ReferencePixel = 18.0;

Qt::PenStyle ToPenStyle(int32_t style) {
  switch (style) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case PenNull:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

}  // namespace

QtPainterCanvas::QtPainterCanvas(int imageWidth)
    : image_(imageWidth, int(std::lround(imageWidth * FrameLogicalHeight / FrameLogicalWidth)),
             QImage::Format_RGB32) {
  image_.fill(Qt::white);
  Begin(image_, imageWidth / FrameLogicalWidth);
}

QtPainterCanvas::QtPainterCanvas(QPaintDevice& device) {
  Begin(device, double(device.logicalDpiX()) / LogicalUnitsPerInch);
}

void QtPainterCanvas::Begin(QPaintDevice& device, double scale) {
  painter_.begin(&device);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  painter_.scale(scale, scale);
}

QtPainterCanvas::~QtPainterCanvas() {
  Finish();
}

const QImage& QtPainterCanvas::Finish() {
  if (!finished_) {
    painter_.end();
    finished_ = true;
  }
  return image_;
}

QByteArray QtPainterCanvas::Png() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Finish().save(&buffer, "PNG");
  return bytes;
}

void QtPainterCanvas::UsePenAndBrush() {
  const GdiObject* pen = objects_.Find(objects_.currentPen());
  if (pen == nullptr || ToPenStyle(pen->style) == Qt::NoPen) {
    painter_.setPen(Qt::NoPen);
  } else {
    QPen qpen(ToQColor(pen->color), std::max<double>(pen->width, ReferencePixel),
              ToPenStyle(pen->style), Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(qpen);
  }
  const GdiObject* brush = objects_.Find(objects_.currentBrush());
  if (brush == nullptr || brush->style == 1) {
    painter_.setBrush(Qt::NoBrush);
  } else {
    painter_.setBrush(ToQColor(brush->color));
  }
}

void QtPainterCanvas::MoveTo(int32_t x, int32_t y) {
  position_ = QPointF(x, y);
}

void QtPainterCanvas::LineTo(int32_t x, int32_t y) {
  if (finished_) return;
  UsePenAndBrush();
  const QPointF end(x, y);
  painter_.drawLine(position_, end);
  position_ = end;
}

void QtPainterCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  UsePenAndBrush();
  painter_.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
}

void QtPainterCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (finished_) return;
  UsePenAndBrush();
  painter_.drawEllipse(QRectF(QPointF(left, top), QPointF(right, bottom)));
}

namespace {

QPolygonF ToPolygon(const Point* points, int32_t count) {
  QPolygonF polygon;
  polygon.reserve(count);
  for (int32_t i = 0; i < count; i++) polygon.append(QPointF(points[i].x, points[i].y));
  return polygon;
}

}  // namespace

void QtPainterCanvas::Polygon(const Point* points, int32_t count) {
  if (finished_ || count < 2) return;
  UsePenAndBrush();
  painter_.drawPolygon(ToPolygon(points, count), Qt::OddEvenFill);  // the alternate fill mode
}

void QtPainterCanvas::Polyline(const Point* points, int32_t count) {
  if (finished_ || count < 2) return;
  UsePenAndBrush();
  painter_.drawPolyline(ToPolygon(points, count));
}

// Black text on an opaque white cell, each character at its advance from the shared table,
// so the picture matches the metafile's layout.
void QtPainterCanvas::Text(double x, double y, const char* text, size_t length) {
  const GdiObject* font = objects_.Find(objects_.currentFont());
  QFont qfont;
  qfont.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  qfont.setPixelSize(FontEmHeight);
  qfont.setHintingPreference(QFont::PreferNoHinting);
  painter_.save();
  painter_.translate(x, y);
  if (font != nullptr && font->font == FontKind::Rotated) painter_.rotate(-90);
  painter_.fillRect(QRectF(0, 0, double(TextAdvance(text, length)), FontCellHeight), Qt::white);
  painter_.setFont(qfont);
  painter_.setPen(Qt::black);
  double advance = 0;
  for (size_t i = 0; i < length; i++) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    const char32_t code = Cp1252ToUnicode(byte);
    painter_.drawText(QPointF(advance, FontAscent), QString::fromUcs4(&code, 1));
    advance += CharAdvance(byte);
  }
  painter_.restore();
}

void QtPainterCanvas::DrawTextAt(int32_t x, int32_t y, const char* text, int32_t length) {
  if (finished_ || text == nullptr || length <= 0) return;
  Text(x, y, text, size_t(length));
}

void QtPainterCanvas::DrawClippedTextAt(int32_t x, int32_t y, const char* text, int32_t length,
                                        const Rect& clip) {
  if (finished_ || text == nullptr || length <= 0) return;
  painter_.save();
  painter_.setClipRect(QRectF(QPointF(clip.left, clip.top), QPointF(clip.right, clip.bottom)));
  Text(x, y, text, size_t(length));
  painter_.restore();
}

void QtPainterCanvas::DrawTextInBox(const char* text, const Rect& rect, uint32_t flags) {
  if (finished_ || text == nullptr) return;
  painter_.save();
  painter_.setClipRect(QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)));
  for (const TextLine& line : LayoutTextBox(text, rect, flags)) {
    const double width = double(TextAdvance(text + line.begin, line.length));
    double x = line.x;
    switch (DrawTextAlign(flags)) {
      case TextAlign::Center:
        x -= width / 2;
        break;
      case TextAlign::Right:
        x -= width;
        break;
      case TextAlign::Left:
        break;
    }
    if (line.length > 0) Text(x, line.y, text + line.begin, line.length);
  }
  painter_.restore();
}

}  // namespace qm
