// The main dialog's preview on Linux: the plot run recorded on the Qt painter canvas into an
// image instead of the metafile.
#pragma once

#include <QImage>
#include <memory>

#include "plot/plot_run.h"

namespace qm {

class QtPainterCanvas;

// An output that paints the chart into an image of a given width (its height follows the
// chart's proportions).
class PreviewImageOutput : public PlotOutput {
 public:
  PreviewImageOutput();
  ~PreviewImageOutput() override;

  // The width of the next run's image, in pixels.
  void SetWidth(int width) { width_ = width; }
  Canvas* Open() override;
  bool Close() override;
  // The last run's image; null before one was drawn.
  const QImage& image() const { return image_; }

 private:
  int width_ = 0;
  std::unique_ptr<QtPainterCanvas> canvas_;
  QImage image_;
};

}  // namespace qm
