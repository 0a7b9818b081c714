// Render modules that load but cannot paint, for the tests of quillmap-cli's loader: built with
// QM_NO_MODULE the entry gives no module; otherwise the module is of this version but paints no
// picture of any format.
#include "canvas/render_module.h"
#include "quillmap_version.h"

namespace {

std::unique_ptr<qm::RenderedPicture> CreateNothing(qm::RenderFormat) {
  return nullptr;
}

const qm::RenderModule PaintsNothing = {QUILLMAP_VERSION, &CreateNothing};

}  // namespace

extern "C" __attribute__((visibility("default"))) const qm::RenderModule* QuillmapRenderModuleV1() {
#ifdef QM_NO_MODULE
  return nullptr;
#else
  return &PaintsNothing;
#endif
}
