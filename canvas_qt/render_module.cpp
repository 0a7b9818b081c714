// quillmap-render: PNG and PDF pictures painted by the Qt painter canvas, built as the module
// quillmap-cli opens only when such a picture is asked for (render_module.h).
#include "canvas/render_module.h"

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSizeF>

#include "canvas_qt/qt_painter_canvas.h"
#include "quillmap_version.h"

#ifdef _WIN32
#define QM_RENDER_EXPORT __declspec(dllexport)
#else
#define QM_RENDER_EXPORT __attribute__((visibility("default")))
#endif

namespace qm {

namespace {

class PngPicture : public RenderedPicture {
 public:
  Canvas& canvas() override { return canvas_; }
  bool Finish(std::string& bytes, std::string& error) override {
    const QByteArray png = canvas_.Png();
    if (png.isEmpty()) {
      error = "the PNG encoder gave no bytes";
      return false;
    }
    bytes.assign(png.constData(), size_t(png.size()));
    return true;
  }

 private:
  QtPainterCanvas canvas_;
};

// One page of the metafile's frame, 144 mm x 108 mm, without margins, at one dot per logical
// unit: lines and texts stay vectors and texts, and the page shows what the EMF shows.
class PdfPicture : public RenderedPicture {
 public:
  PdfPicture() : buffer_(&bytes_) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setCreator(QStringLiteral("Quillmap"));
    writer_->setResolution(LogicalUnitsPerInch);
    const QPageSize frame(QSizeF(144, 108), QPageSize::Millimeter, QString(),
                          QPageSize::ExactMatch);
    writer_->setPageLayout(QPageLayout(frame, QPageLayout::Portrait, QMarginsF()));
    canvas_ = std::make_unique<QtPainterCanvas>(*writer_);
  }

  Canvas& canvas() override { return *canvas_; }

  bool Finish(std::string& bytes, std::string& error) override {
    canvas_->Finish();  // ends the page and writes the document into the buffer
    if (bytes_.isEmpty()) {
      error = "the PDF writer gave no bytes";
      return false;
    }
    bytes.assign(bytes_.constData(), size_t(bytes_.size()));
    return true;
  }

 private:
  // Declared in the order they are needed: the canvas is destroyed first, ending the page
  // while the writer and its buffer still exist.
  QByteArray bytes_;
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QtPainterCanvas> canvas_;
};

std::unique_ptr<RenderedPicture> CreatePicture(RenderFormat format) {
  EnsureQtGui();  // the painter's fonts need a GUI application
  switch (format) {
    case RenderFormat::Png:
      return std::make_unique<PngPicture>();
    case RenderFormat::Pdf:
      return std::make_unique<PdfPicture>();
  }
  return nullptr;
}

const RenderModule Module = {QUILLMAP_VERSION, &CreatePicture};

}  // namespace

}  // namespace qm

// The entry quillmap-cli looks up by RenderModuleEntryName.
extern "C" QM_RENDER_EXPORT const qm::RenderModule* QuillmapRenderModuleV1() {
  return &qm::Module;
}
