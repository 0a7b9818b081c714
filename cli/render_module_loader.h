// The renderer of quillmap-cli's PNG and PDF pictures, behind the one seam of render_module.h.
// On Linux it is the render module, found and opened only when such a picture is asked for:
// the other commands and formats never load it, nor the GUI libraries it needs. On Windows it is
// the GDI renderer linked into the program.
#pragma once

#include <string>
#include <vector>

#include "canvas/render_module.h"

namespace qm {

// Whether this build's renderer paints the format at all (the render module PNG and PDF, the
// GDI renderer PNG only), known without loading anything.
bool RendererPaints(RenderFormat format);

// The environment variable that names the module's file, as a path from the working folder;
// when set, no other place is tried.
constexpr const char* RenderModuleVariable = "QUILLMAP_RENDER_MODULE";

// The files tried, in order: the one RenderModuleVariable names, or else the module beside the
// running program (a build tree) and then in the module folder of the tree it is installed in
// (bin/../<libdir>/quillmap). None where the renderer is linked into the program.
std::vector<std::string> RenderModuleCandidates();

// The renderer of this build. A module is the first candidate that exists, checked to be a
// render module of this Quillmap version. Only a regular file is opened, as a path (a bare name
// is a file in the working folder, never looked for on the library path). The module stays
// loaded until the program ends. nullptr with a one-line reason in `error` when there is none or
// it cannot be used.
const RenderModule* LoadRenderModule(std::string& error);

}  // namespace qm
