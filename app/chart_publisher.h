// Putting a chart on the clipboard so that it outlives the program. On X11 a small program,
// quillmap-clipboard, takes the clipboard with the chart and serves it after Quillmap has
// ended (or hands it to a clipboard manager where one runs); elsewhere the program's own
// clipboard takes it. Failures are silent: the file on the desktop is there either way.
#pragma once

#include <QString>
#include <memory>

#include "app/chart_clipboard.h"

namespace qm {

class ChartPublisher {
 public:
  virtual ~ChartPublisher() = default;
  virtual void Publish(const ClipboardFormats& formats) = 0;
};

// Sets the program's own clipboard.
class InProcessPublisher : public ChartPublisher {
 public:
  void Publish(const ClipboardFormats& formats) override;
};

// Hands the chart to the serving program (found beside this one) through a private temporary
// file, which the serving program removes once it owns the clipboard; waits for that so that
// a paste right after the success message finds the chart. Falls back to the own clipboard.
class ServingPublisher : public ChartPublisher {
 public:
  explicit ServingPublisher(QString serverPath) : serverPath_(std::move(serverPath)) {}
  void Publish(const ClipboardFormats& formats) override;

 private:
  bool HandOver(const ClipboardFormats& formats);

  QString serverPath_;
};

// The name of the serving program, installed beside quillmap.
constexpr const char* ClipboardServerName = "quillmap-clipboard";

// The publisher for the running platform.
std::unique_ptr<ChartPublisher> MakeChartPublisher();

}  // namespace qm
