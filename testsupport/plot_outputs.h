// A plot output for tests, benchmarks and fuzzers: every run records into a fresh canvas of the
// chosen back end, which stays to be read after the run; opening or keeping the picture can be
// made to fail the way a missing folder or a full disk does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "plot/plot_run.h"

namespace qm::testing {

template <typename CanvasType>
class CanvasOutput : public PlotOutput {
 public:
  // A new CanvasType for this run, or nullptr when failOpen is set. Counts every call.
  Canvas* Open() override {
    opens++;
    if (failOpen) return nullptr;
    canvas = std::make_unique<CanvasType>();
    return canvas.get();
  }

  // Finishes the picture when the back end has a Finish() (EMF, SVG), as a real output does
  // before it writes the bytes; false when failClose is set. Counts every call.
  bool Close() override {
    closes++;
    if constexpr (requires(CanvasType & c) { c.Finish(); }) {
      if (canvas) canvas->Finish();
    }
    return !failClose;
  }

  std::string FailureReason() const override { return failureReason; }

  bool failOpen = false;      // Open gives no canvas: the picture cannot be created
  bool failClose = false;     // Close cannot keep the picture
  std::string failureReason;  // what FailureReason says after a failure
  int32_t opens = 0;
  int32_t closes = 0;
  std::unique_ptr<CanvasType> canvas;  // the last run's recording; null before the first
};

}  // namespace qm::testing
