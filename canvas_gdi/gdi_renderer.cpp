// The GDI renderer, the Windows build's side of the render seam (canvas/render_module.h): the
// chart is recorded as our metafile, which GDI plays and the Windows Imaging Component encodes
// as PNG. quillmap-cli.exe has it linked in; PDF is left to the Qt module of the Linux build.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/render_module.h"
#include "canvas_gdi/png_encoder.h"
#include "quillmap_version.h"

namespace qm {

namespace {

class GdiPngPicture : public RenderedPicture {
 public:
  Canvas& canvas() override { return canvas_; }
  bool Finish(std::string& bytes, std::string& error) override {
    std::vector<uint8_t> png;
    if (!MetafileToPng(canvas_.Finish(), png, error)) return false;
    bytes.assign(png.begin(), png.end());
    return true;
  }

 private:
  EmfCanvas canvas_;
};

std::unique_ptr<RenderedPicture> CreatePicture(RenderFormat format) {
  if (format == RenderFormat::Png) return std::make_unique<GdiPngPicture>();
  return nullptr;
}

const RenderModule Renderer = {QUILLMAP_VERSION, &CreatePicture};

}  // namespace

const RenderModule* LinkedRenderModule() {
  return &Renderer;
}

}  // namespace qm
