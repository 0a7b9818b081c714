// Where the desktop program's chart goes: the metafile file quilpic.emf in the desktop folder,
// written in one piece, and the clipboard (the metafile with an SVG, a PNG and a GIF of it). The
// chart is recorded on all of these canvases at once.
#pragma once

#include <memory>
#include <string>

#include "app/chart_publisher.h"
#include "plot/plot_run.h"

namespace qm {

class EmfCanvas;
class QtPainterCanvas;
class SvgCanvas;
class TeeCanvas;

class DesktopOutput : public PlotOutput {
 public:
  DesktopOutput(std::string desktopFolder, ChartPublisher& publisher);
  ~DesktopOutput() override;

  // nullptr when the desktop folder cannot take the file (it is missing, for one); fileError()
  // then says why.
  Canvas* Open() override;
  // Writes the file and publishes the chart. When the file cannot be written (the disk is
  // full, say) the earlier file stays, nothing is published and fileError() says why. The
  // clipboard's failures are silent.
  bool Close() override;

  const std::string& path() const { return path_; }
  // What the last Close could not do ("" when it wrote the file).
  const std::string& fileError() const { return fileError_; }
  // Why the last Open or Close failed, with the file's path.
  std::string FailureReason() const override { return fileError_; }

 private:
  std::string path_;
  ChartPublisher& publisher_;
  std::unique_ptr<EmfCanvas> emf_;
  std::unique_ptr<SvgCanvas> svg_;
  std::unique_ptr<QtPainterCanvas> image_;
  std::unique_ptr<TeeCanvas> pictures_;  // the SVG and the image
  std::unique_ptr<TeeCanvas> canvas_;    // the metafile and the pictures
  std::string fileError_;
};

}  // namespace qm
