// The whole pipeline under fuzzing: the bytes are imported (as WK1 records, or as a text range),
// a plot run with settings taken from the first bytes draws into the metafile, SVG and trace
// back ends, and every picture must be well formed, with every coordinate within reach of a
// document reader. The grid must come out of the run unchanged.
#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/trace_canvas.h"
#include "import/decode_wk1.h"
#include "import/text_range.h"
#include "plot/plot_run.h"
#include "testsupport/coordinate_canvas.h"
#include "testsupport/emf_check.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"

namespace {

using QuietSink = qm::testing::QuietMessages;

template <typename C>
using Output = qm::testing::CanvasOutput<C>;

void Fail(const char* what, const std::string& problem) {
  std::fprintf(stderr, "%s: %s\n", what, problem.c_str());
  std::abort();
}

// A trace that fails at the first coordinate a document reader cannot place, while the
// drawing call that made it is still on the stack; it keeps no coordinates.
class CheckedTraceCanvas : public qm::testing::CoordinateCanvas {
 protected:
  void Note(int32_t x, int32_t y) override {
    if (!qm::testing::WithinReaderReach({x, y})) {
      Fail("trace",
           "coordinate (" + std::to_string(x) + ", " + std::to_string(y) + ") beyond 2^27");
    }
  }
};

struct State {
  qm::WorksheetGrid grid;
  qm::WorksheetGrid before;
  qm::PlotTables tables;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  xmlInitParser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static State* state = new State();
  if (size < 4) return 0;
  // Settings from the first four bytes.
  qm::PlotSettings settings;
  // The byte values keep the meaning they had when the seeds were made: two ways to the
  // placeholder, three to no mark (the dialog's "never chosen", "cancelled" and "No Error Bar").
  using qm::ChartKind;
  using qm::SplitMode;
  using qm::SummaryMark;
  const ChartKind charts[] = {ChartKind::GroupPlot, ChartKind::BoxPlot, ChartKind::Placeholder,
                              ChartKind::Placeholder};
  const SplitMode splits[] = {SplitMode::None, SplitMode::Paired, SplitMode::NonPaired,
                              SplitMode::None};
  const SummaryMark marks[] = {SummaryMark::None,     SummaryMark::None,   SummaryMark::None,
                               SummaryMark::Mean,     SummaryMark::Median, SummaryMark::Sem,
                               SummaryMark::MedianSe, SummaryMark::Sd,     SummaryMark::Iqr,
                               SummaryMark::BoxPlot};
  settings.Chart = charts[data[0] & 3];
  settings.Split = splits[(data[0] >> 2) & 3];
  settings.LogFlag = (data[0] >> 4) & 1;
  settings.LineAt01 = (data[0] >> 5) & 1;
  settings.BlueBackground = (data[0] >> 6) & 1;
  settings.ConnectingLines = (data[0] >> 7) & 1;
  settings.Mark = marks[data[1] % 10];
  settings.MarkLimitValues = (data[2] >> 2) & 1;
  bool asText = (data[2] & 1) != 0;
  const uint8_t* body = data + 4;
  size_t length = size - 4;

  QuietSink sink;
  bool imported;
  if (asText) {
    imported = qm::ImportTextRange(
                   state->grid, body, length,
                   (data[2] & 2) ? qm::TextRangeKind::Csv : qm::TextRangeKind::TabSeparated)
                   .ok();
  } else {
    imported = qm::DecodeWk1(state->grid, body, length) == qm::Wk1DecodeStatus::Ok;
  }
  if (!imported) return 0;
  std::memcpy(&state->before, &state->grid, sizeof state->grid);

  Output<qm::EmfCanvas> emf;
  if (qm::RunPlot(settings, state->grid, state->tables, sink, emf) == qm::PlotOutcome::Published) {
    const std::vector<uint8_t>& bytes = emf.canvas->Finish();
    std::string problem;
    if (!qm::CheckEmf(bytes.data(), bytes.size(), problem)) Fail("metafile", problem);
  }

  Output<qm::SvgCanvas> svg;
  if (qm::RunPlot(settings, state->grid, state->tables, sink, svg) == qm::PlotOutcome::Published) {
    const std::string& text = svg.canvas->Finish();
    xmlDocPtr document = xmlReadMemory(text.data(), int(text.size()), "chart.svg", nullptr,
                                       XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (document == nullptr) Fail("svg", "not well-formed XML");
    xmlFreeDoc(document);
  }

  Output<CheckedTraceCanvas> trace;
  qm::RunPlot(settings, state->grid, state->tables, sink, trace);

  if (std::memcmp(&state->before, &state->grid, sizeof state->grid) != 0) {
    Fail("grid", "changed by drawing");
  }
  return 0;
}
