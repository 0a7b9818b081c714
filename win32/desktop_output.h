// Where the Windows program's chart goes: quilpic.emf in the Desktop folder, written in one
// piece, and the clipboard (the metafile and a bitmap of it).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/windows_api.h"
#include "plot/plot_run.h"

namespace qm {

class EmfCanvas;

class Win32DesktopOutput : public PlotOutput {
 public:
  // How the file is written: WriteRegularFileAtomically, or a stand-in in the tests.
  using FileWriter = bool (*)(const std::string& path, const void* bytes, size_t size,
                              std::string& error);

  // The chart goes to quilpic.emf in `desktopFolder` ("" when there is none: every run then
  // fails to create the metafile).
  explicit Win32DesktopOutput(const std::string& desktopFolder, FileWriter writer = nullptr);
  ~Win32DesktopOutput() override;

  // The window that opens the clipboard (the main dialog).
  void SetOwner(HWND owner) { owner_ = owner; }

  // nullptr when the folder cannot take the file (it is missing, for one); fileError() then
  // says why.
  Canvas* Open() override;
  // Writes the file and then publishes the same bytes on the clipboard. When the file cannot
  // be written (the disk is full, say) the earlier file stays, nothing is published and
  // fileError() says why. The clipboard's failures are silent.
  bool Close() override;

  const std::string& path() const { return path_; }
  const std::string& fileError() const { return fileError_; }
  // Why the last Open or Close failed, with the file's path.
  std::string FailureReason() const override { return fileError_; }

 private:
  std::string path_;
  FileWriter writer_;
  HWND owner_ = nullptr;
  std::unique_ptr<EmfCanvas> emf_;
  std::string fileError_;
};

}  // namespace qm
