// Recording the chart, writing quilpic.emf and publishing the chart on the clipboard.
#include "app/desktop_output.h"

#include "app/desktop_folder.h"
#include "app/gif_image.h"
#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/tee_canvas.h"
#include "canvas_qt/qt_painter_canvas.h"
#include "io/atomic_file.h"

namespace qm {

DesktopOutput::DesktopOutput(std::string desktopFolder, ChartPublisher& publisher)
    : path_(std::move(desktopFolder) + "/" + MetafileName), publisher_(publisher) {}

DesktopOutput::~DesktopOutput() = default;

Canvas* DesktopOutput::Open() {
  canvas_.reset();
  pictures_.reset();
  fileError_.clear();
  if (!CanCreateRegularFileAt(path_, fileError_)) return nullptr;
  emf_ = std::make_unique<EmfCanvas>();
  svg_ = std::make_unique<SvgCanvas>();
  image_ = std::make_unique<QtPainterCanvas>();
  pictures_ = std::make_unique<TeeCanvas>(*svg_, *image_);
  canvas_ = std::make_unique<TeeCanvas>(*emf_, *pictures_);
  return canvas_.get();
}

bool DesktopOutput::Close() {
  if (canvas_ == nullptr) return false;
  const std::vector<uint8_t>& emf = emf_->Finish();
  fileError_.clear();
  // A chart that could not be kept on the desktop is not published either: the run reports
  // the failure and the user may press OK again.
  if (!WriteRegularFileAtomically(path_, emf.data(), emf.size(), fileError_)) {
    canvas_.reset();
    pictures_.reset();
    return false;
  }
  const std::string& svg = svg_->Finish();
  publisher_.Publish(ChartClipboardFormats(
      QByteArray(reinterpret_cast<const char*>(emf.data()), qsizetype(emf.size())),
      QByteArray(svg.data(), qsizetype(svg.size())), image_->Png(), EncodeGif(image_->Finish())));
  canvas_.reset();
  pictures_.reset();
  return true;
}

}  // namespace qm
