// The render seam of quillmap-cli: what paints its PNG and PDF pictures, behind one interface.
// On Linux it is the Qt painter canvas built as the shared module quillmap-render
// (canvas_qt/render_module.cpp), which quillmap-cli opens only when it is asked for such a
// picture, so that its other commands load no GUI library; on Windows it is the GDI renderer
// (canvas_gdi/gdi_renderer.cpp), linked into the program. This header includes neither Qt nor
// Windows: the CLI compiles against it.
//
// The module and the CLI come from the same build, so C++ objects cross the boundary. The
// entry's name carries a version: change RenderModuleEntryName, and the entry's name in
// render_module.cpp with it, whenever Canvas, RenderedPicture or RenderModule change shape, so a
// stale module is refused rather than called wrongly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "plot/canvas.h"

namespace qm {

// The pictures a renderer paints.
enum class RenderFormat : int32_t {
  Png = 1,  // 1088 x 816 pixels, as the desktop program puts on the clipboard
  Pdf = 2,  // one vector page of the frame's size, 144 mm x 108 mm, texts as text
};

// One picture being painted: the plot run draws on canvas(), then Finish() gives the file.
class RenderedPicture {
 public:
  virtual ~RenderedPicture() = default;
  virtual Canvas& canvas() = 0;
  // Ends the painting and gives the file's bytes. False with a reason when the painter could
  // not produce them.
  virtual bool Finish(std::string& bytes, std::string& error) = 0;
};

struct RenderModule {
  // The Quillmap version the renderer was built with; the CLI refuses a module of another.
  const char* version;
  // A picture with nothing painted yet; nullptr for a format the renderer does not paint.
  std::unique_ptr<RenderedPicture> (*create)(RenderFormat format);
};

// The renderer linked into the program where the build has one instead of a module: the GDI
// renderer of the Windows build. Defined by no other build.
const RenderModule* LinkedRenderModule();

// The module's only exported symbol: extern "C" const RenderModule* QuillmapRenderModuleV1().
constexpr const char* RenderModuleEntryName = "QuillmapRenderModuleV1";
using RenderModuleEntry = const RenderModule* (*)();

// The module's file name, beside quillmap-cli in the build tree and under <libdir>/quillmap when
// installed.
#ifdef _WIN32
constexpr const char* RenderModuleFileName = "quillmap-render.dll";
#else
constexpr const char* RenderModuleFileName = "quillmap-render.so";
#endif

}  // namespace qm
