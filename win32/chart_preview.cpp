// The preview's plot run: an output that keeps the metafile in memory and a sink that keeps the
// text.
#include "win32/chart_preview.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "canvas/emf_canvas.h"
#include "win32/core_calls.h"

namespace qm {

namespace {

class MemoryMetafileOutput : public PlotOutput {
 public:
  Canvas* Open() override {
    emf_ = std::make_unique<EmfCanvas>();
    return emf_.get();
  }
  bool Close() override {
    const std::vector<uint8_t>& bytes = emf_->Finish();
    metafile_ = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    emf_.reset();
    return metafile_ != nullptr;
  }
  HENHMETAFILE metafile() const { return metafile_; }

 private:
  std::unique_ptr<EmfCanvas> emf_;
  HENHMETAFILE metafile_ = nullptr;
};

class KeepingSink : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override { Keep(text); }
  void ShowFrameworkBox(const std::string& text) override { Keep(text); }
  const std::string& text() const { return text_; }

 private:
  void Keep(const std::string& text) {
    text_ = text;
    while (!text_.empty() && text_.back() == '\n') text_.pop_back();
  }
  std::string text_;
};

}  // namespace

PreviewChart DrawPreviewChart(const PlotSettings& settings, const WorksheetGrid& grid,
                              PlotTables& tables) {
  MemoryMetafileOutput output;
  KeepingSink messages;
  PreviewChart chart;
  if (RunChart(settings, grid, tables, messages, output) == PlotOutcome::Published) {
    chart.metafile = output.metafile();
  } else {
    chart.message = messages.text();
  }
  return chart;
}

}  // namespace qm
