// The preview's plot run: an output that paints into an image and a sink that keeps the text.
#include "app/chart_preview.h"

#include <memory>
#include <string>

#include "canvas_qt/qt_painter_canvas.h"
#include "plot/plot_run.h"

namespace qm {

namespace {

class ImageOutput : public PlotOutput {
 public:
  explicit ImageOutput(int width) : width_(width) {}

  Canvas* Open() override {
    canvas_ = std::make_unique<QtPainterCanvas>(width_);
    return canvas_.get();
  }
  bool Close() override {
    image_ = canvas_->Finish();
    canvas_.reset();
    return true;
  }
  const QImage& image() const { return image_; }

 private:
  int width_;
  std::unique_ptr<QtPainterCanvas> canvas_;
  QImage image_;
};

class KeepingSink : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override { text_ = text; }
  void ShowFrameworkBox(const std::string& text) override { text_ = text; }
  QString text() const {
    QString shown = QString::fromUtf8(text_.data(), qsizetype(text_.size()));
    while (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    return shown;
  }

 private:
  std::string text_;
};

}  // namespace

PreviewPicture DrawPreview(const PlotSettings& settings, const WorksheetGrid& grid,
                           PlotTables& tables, int imageWidth) {
  ImageOutput output(imageWidth);
  KeepingSink messages;
  PreviewPicture picture;
  if (RunPlot(settings, grid, tables, messages, output) == PlotOutcome::Published) {
    picture.image = output.image();
  } else {
    picture.message = messages.text();
  }
  return picture;
}

}  // namespace qm
