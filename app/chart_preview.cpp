// The preview's output: a Qt painter canvas whose image is kept when the run ends.
#include "app/chart_preview.h"

#include "canvas_qt/qt_painter_canvas.h"

namespace qm {

PreviewImageOutput::PreviewImageOutput() = default;
PreviewImageOutput::~PreviewImageOutput() = default;

Canvas* PreviewImageOutput::Open() {
  image_ = QImage();
  canvas_ = std::make_unique<QtPainterCanvas>(width_);
  return canvas_.get();
}

bool PreviewImageOutput::Close() {
  image_ = canvas_->Finish();
  canvas_.reset();
  return true;
}

}  // namespace qm
