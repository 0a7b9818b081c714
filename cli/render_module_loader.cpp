// The renderer of quillmap-cli: on Windows the GDI renderer linked into the program; elsewhere
// the render module, opened with the system's dynamic loader (dlopen, in the three calls needed
// here).
#include "cli/render_module_loader.h"

#include "quillmap_version.h"

#ifdef _WIN32

namespace qm {

bool RendererPaints(RenderFormat format) {
  return format == RenderFormat::Png;  // PDF is Qt's, which the Windows build does not have
}

std::vector<std::string> RenderModuleCandidates() {
  return {};
}

const RenderModule* LoadRenderModule(std::string&) {
  return LinkedRenderModule();
}

}  // namespace qm

#else

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace qm {

namespace {

using ModuleHandle = void*;

ModuleHandle OpenModule(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) error = dlerror();  // names the file and the cause
  return handle;
}

RenderModuleEntry FindEntry(ModuleHandle handle) {
  return reinterpret_cast<RenderModuleEntry>(dlsym(handle, RenderModuleEntryName));
}

void CloseModule(ModuleHandle handle) {
  dlclose(handle);
}

// The folder of the running program, or "" where the system does not tell it.
std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.parent_path().string();
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

}  // namespace

bool RendererPaints(RenderFormat format) {
  return format == RenderFormat::Png || format == RenderFormat::Pdf;
}

std::vector<std::string> RenderModuleCandidates() {
  const char* named = std::getenv(RenderModuleVariable);
  if (named != nullptr && named[0] != '\0') return {named};
  const std::string folder = ProgramFolder();
  if (folder.empty()) return {};
  const std::filesystem::path installed =
      std::filesystem::path(folder) / QUILLMAP_MODULE_DIR / RenderModuleFileName;
  return {folder + "/" + RenderModuleFileName, installed.lexically_normal().string()};
}

const RenderModule* LoadRenderModule(std::string& error) {
  const std::vector<std::string> candidates = RenderModuleCandidates();
  for (const std::string& path : candidates) {
    // status() reads the entry without opening it: a pipe of that name cannot block.
    std::error_code unknown;
    const std::filesystem::file_status found = std::filesystem::status(path, unknown);
    if (!std::filesystem::exists(found)) continue;
    // The first module found is the one meant: a broken one is reported, not passed over.
    if (!std::filesystem::is_regular_file(found)) {
      error = path + " is not a regular file";
      return nullptr;
    }
    // A whole path, so that the loader opens this file and never searches for one of its name.
    const std::string file = std::filesystem::absolute(path, unknown).string();
    if (file.empty()) {
      error = path + ": the working folder is unknown (" + unknown.message() + ")";
      return nullptr;
    }
    ModuleHandle handle = OpenModule(file, error);
    if (handle == nullptr) return nullptr;
    const RenderModuleEntry entry = FindEntry(handle);
    if (entry == nullptr) {
      error = path + " is not a render module of this Quillmap (no " + RenderModuleEntryName + ")";
      CloseModule(handle);
      return nullptr;
    }
    const RenderModule* module = entry();
    if (module == nullptr || module->version == nullptr || module->create == nullptr) {
      error = path + ": its " + RenderModuleEntryName + " gives no render module";
      CloseModule(handle);
      return nullptr;
    }
    if (std::strcmp(module->version, QUILLMAP_VERSION) != 0) {
      error = path + " belongs to Quillmap " + module->version + ", not " QUILLMAP_VERSION;
      CloseModule(handle);
      return nullptr;
    }
    return module;
  }
  if (candidates.empty()) {
    error = std::string("not found: the program's own folder is unknown; name the module with ") +
            RenderModuleVariable;
  } else {
    error = "not found (looked for " + Joined(candidates) + ")";
  }
  return nullptr;
}

}  // namespace qm

#endif
