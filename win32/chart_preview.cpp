// The preview's output: the recorder's bytes made into a metafile handle for the pane.
#include "win32/chart_preview.h"

#include <cstdint>
#include <vector>

#include "canvas/emf_canvas.h"

namespace qm {

PreviewMetafileOutput::PreviewMetafileOutput() = default;

PreviewMetafileOutput::~PreviewMetafileOutput() {
  if (metafile_ != nullptr) DeleteEnhMetaFile(metafile_);
}

Canvas* PreviewMetafileOutput::Open() {
  if (metafile_ != nullptr) DeleteEnhMetaFile(TakeMetafile());
  emf_ = std::make_unique<EmfCanvas>();
  return emf_.get();
}

bool PreviewMetafileOutput::Close() {
  const std::vector<uint8_t>& bytes = emf_->Finish();
  metafile_ = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
  emf_.reset();
  return metafile_ != nullptr;
}

HENHMETAFILE PreviewMetafileOutput::TakeMetafile() {
  HENHMETAFILE metafile = metafile_;
  metafile_ = nullptr;
  return metafile;
}

}  // namespace qm
