// The main dialog's preview on Windows: the plot run recorded as a metafile in memory instead of
// the file and the clipboard.
#pragma once

#include <memory>

#include "base/windows_api.h"
#include "plot/plot_run.h"

namespace qm {

class EmfCanvas;

class PreviewMetafileOutput : public PlotOutput {
 public:
  PreviewMetafileOutput();
  ~PreviewMetafileOutput() override;

  Canvas* Open() override;
  // False when the system cannot make a metafile of the bytes.
  bool Close() override;
  // The last run's metafile, now the caller's to delete; nullptr when there is none.
  HENHMETAFILE TakeMetafile();

 private:
  std::unique_ptr<EmfCanvas> emf_;
  HENHMETAFILE metafile_ = nullptr;
};

}  // namespace qm
