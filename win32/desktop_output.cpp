// Recording the chart, writing quilpic.emf and publishing it on the clipboard.
#include "win32/desktop_output.h"

#include "canvas/emf_canvas.h"
#include "io/atomic_file.h"
#include "win32/chart_clipboard.h"
#include "win32/desktop_folder.h"

namespace qm {

Win32DesktopOutput::Win32DesktopOutput(const std::string& desktopFolder, FileWriter writer)
    : path_(MetafilePathIn(desktopFolder)),
      writer_(writer != nullptr ? writer : &WriteRegularFileAtomically) {}

Win32DesktopOutput::~Win32DesktopOutput() = default;

Canvas* Win32DesktopOutput::Open() {
  emf_.reset();
  fileError_.clear();
  if (path_.empty()) {
    fileError_ =
        std::string("cannot create ") + MetafileName + ": the system names no Desktop folder";
    return nullptr;
  }
  if (!CanCreateRegularFileAt(path_, fileError_)) return nullptr;
  emf_ = std::make_unique<EmfCanvas>();
  return emf_.get();
}

bool Win32DesktopOutput::Close() {
  if (emf_ == nullptr) return false;
  const std::vector<uint8_t> emf = emf_->Finish();
  emf_.reset();
  fileError_.clear();
  // A chart that could not be kept on the desktop is not published either: the run reports
  // the failure and the user may press OK again.
  if (!writer_(path_, emf.data(), emf.size(), fileError_)) return false;
  PublishChart(owner_, emf);
  return true;
}

}  // namespace qm
