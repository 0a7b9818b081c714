// The boundary of the render module, quillmap-render: the Qt painter canvas built as a shared
// module that quillmap-cli opens only when it is asked for a PNG or PDF picture, so that its
// other commands load no GUI library. This header includes no Qt: the CLI compiles against it.
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

// The pictures the module paints.
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
  // The Quillmap version the module was built with; the CLI refuses a module of another.
  const char* version;
  // A picture with nothing painted yet; nullptr for a format the module does not paint.
  std::unique_ptr<RenderedPicture> (*create)(RenderFormat format);
};

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
