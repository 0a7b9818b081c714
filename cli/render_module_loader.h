// Finding and opening the render module, which paints PNG and PDF pictures, when quillmap-cli
// is asked for one: the other commands and formats never load it, nor the GUI libraries it
// needs.
#pragma once

#include <string>
#include <vector>

#include "canvas_qt/render_module.h"

namespace qm {

// The environment variable that names the module's file, as a path from the working folder;
// when set, no other place is tried.
constexpr const char* RenderModuleVariable = "QUILLMAP_RENDER_MODULE";

// The files tried, in order: the one RenderModuleVariable names, or else the module beside the
// running program (a build tree) and then in the module folder of the tree it is installed in
// (bin/../<libdir>/quillmap).
std::vector<std::string> RenderModuleCandidates();

// Opens the first candidate that exists and checks that it is a render module of this
// Quillmap version. Only a regular file is opened, as a path (a bare name is a file in the
// working folder, never looked for on the library path). The module stays loaded until the
// program ends. nullptr with a one-line reason in `error` when there is none or it cannot be
// used.
const RenderModule* LoadRenderModule(std::string& error);

}  // namespace qm
