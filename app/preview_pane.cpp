// Painting the preview: the picture centred on a white pane, or the message in its middle.
#include "app/preview_pane.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "canvas_qt/qt_painter_canvas.h"

namespace qm {

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPane::ShowPicture(const QImage& image) {
  picture_ = image;
  message_.clear();
  update();
}

void PreviewPane::ShowMessage(const QString& text) {
  picture_ = QImage();
  message_ = text;
  update();
}

QSize PreviewPane::PictureSize() const {
  const double ratio = devicePixelRatioF();
  // The widest picture of the chart's proportions whose height still fits, less the frame line.
  const double width = std::max(1, this->width() - 2);
  const double height = std::max(1, this->height() - 2);
  const double fit = std::min(width, height * FrameLogicalWidth / FrameLogicalHeight);
  const int w = std::max(1, int(std::floor(fit * ratio)));
  return QSize(w, int(std::lround(w * FrameLogicalHeight / FrameLogicalWidth)));
}

void PreviewPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (!picture_.isNull()) {
    const QSizeF shown = QSizeF(picture_.size()) / picture_.devicePixelRatio();
    const QPointF corner((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.drawImage(QRectF(corner, shown), picture_);
  } else if (!message_.isEmpty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
  }
}

}  // namespace qm
