// Hostile worksheets through the whole plot run: extreme, equal and nearly equal values, limit
// markers only, not-a-number patterns in NUMBER records, every label byte, empty and one-column
// ranges, odd split codes and the largest series table. Every grid is a real import result
// (written as WK1 records and decoded), and every run must give a well-formed metafile and SVG,
// coordinates a document reader can hold, the grid untouched and the same picture twice.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/tee_canvas.h"
#include "canvas/trace_canvas.h"
#include "import/decode_wk1.h"
#include "import/text_range.h"
#include "import/write_wk1.h"
#include "plot/axis.h"
#include "plot/chart_frame.h"
#include "plot/plot_run.h"
#include "testsupport/coordinate_canvas.h"
#include "testsupport/emf_check.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"

namespace qm {
namespace {

using testing::CoordinateCanvas;

// One run recorded by all three back ends at once.
class AllOutputs : public PlotOutput {
 public:
  Canvas* Open() override {
    emf = std::make_unique<EmfCanvas>();
    svg = std::make_unique<SvgCanvas>();
    trace = std::make_unique<CoordinateCanvas>();
    inner = std::make_unique<TeeCanvas>(*svg, *trace);
    outer = std::make_unique<TeeCanvas>(*emf, *inner);
    return outer.get();
  }
  bool Close() override {
    emfBytes = emf->Finish();
    svgText = svg->Finish();
    return true;
  }

  std::unique_ptr<EmfCanvas> emf;
  std::unique_ptr<SvgCanvas> svg;
  std::unique_ptr<CoordinateCanvas> trace;
  std::unique_ptr<TeeCanvas> inner;
  std::unique_ptr<TeeCanvas> outer;
  std::vector<uint8_t> emfBytes;
  std::string svgText;
};

// The tables a program allocates once; reused by every run as the desktop program does.
struct Run {
  PlotTables tables;
  WorksheetGrid before;
};

Run& Shared() {
  static Run* run = [] {
    auto* r = new Run();
    std::memset(r, 0, sizeof *r);
    return r;
  }();
  return *run;
}

std::string Describe(const PlotSettings& s) {
  return "chart " + std::to_string(int32_t(s.Chart)) + " split " +
         std::to_string(int32_t(s.Split)) + " log " + std::to_string(s.LogFlag) + " line01 " +
         std::to_string(s.LineAt01) + " blue " + std::to_string(s.BlueBackground) + " connect " +
         std::to_string(s.ConnectingLines) + " mark " + std::to_string(int32_t(s.Mark));
}

bool WellFormedXml(const std::string& text) {
  xmlDocPtr document = xmlReadMemory(text.data(), int(text.size()), "chart.svg", nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (document == nullptr) return false;
  xmlFreeDoc(document);
  return true;
}

// The height at which a value would stand if it were drawn where it is, on the run's axis.
double RawHeight(double value, double low, double high) {
  double scale = 6120 / (high - low);
  return 7650.0 - (scale * (value - low) + 1020);
}

// Runs the settings over the grid twice and checks everything a pasted picture relies on.
void CheckRuns(const WorksheetGrid& grid, const PlotSettings& settings, const std::string& name) {
  SCOPED_TRACE(name + ": " + Describe(settings));
  Run& run = Shared();
  std::memcpy(&run.before, &grid, sizeof grid);
  testing::RecordingMessages messages;

  AllOutputs first;
  PlotOutcome outcome = RunPlot(settings, grid, run.tables, messages, first);
  if (outcome == PlotOutcome::NoSplitColumn) {
    EXPECT_NE(settings.Split, SplitMode::None);
    EXPECT_EQ(messages.Joined(), "No SPLIT-column found\n");
    EXPECT_EQ(std::memcmp(&run.before, &grid, sizeof grid), 0) << "grid changed";
    return;
  }
  ASSERT_EQ(outcome, PlotOutcome::Published);
  EXPECT_EQ(messages.Joined(), "");
  const double low = run.tables.AxisLow;
  const double high = run.tables.AxisHigh;

  std::string problem;
  EXPECT_TRUE(CheckEmf(first.emfBytes.data(), first.emfBytes.size(), problem)) << problem;
  EXPECT_TRUE(WellFormedXml(first.svgText)) << "SVG is not well-formed XML";

  // Heights at which a Missing value or a limit marker would stand if drawn as a value on a
  // linear axis; off the canvas no mark may stand there, unless a measured value of the grid
  // stands there too (a value just inside a marker maps to nearly the marker's height).
  std::vector<double> forbidden;
  if ((settings.Chart == ChartKind::GroupPlot || settings.Chart == ChartKind::BoxPlot) &&
      settings.LogFlag == 0) {
    for (double special : {MissingValue, BelowLimitMarker, AboveLimitMarker}) {
      double y = RawHeight(special, low, high);
      if (!std::isfinite(y) || (y >= -1000 && y <= 11800)) continue;
      bool shared = false;
      for (int32_t r = 0; r < grid.RowCount && !shared; r++) {
        for (int32_t c = 0; c < grid.ColumnCount && !shared; c++) {
          double v = grid.Values[r][c];
          shared = v > BelowLimitMarker && v < AboveLimitMarker &&
                   std::fabs(RawHeight(v, low, high) - y) <= 3;
        }
      }
      if (!shared) forbidden.push_back(y);
    }
  }
  int32_t bad = 0;
  for (const Point& p : first.trace->points) {
    bool wild = !testing::WithinReaderReach(p);
    bool special = false;
    for (double y : forbidden) special = special || std::fabs(p.y - y) <= 1.5;
    if ((wild || special) && bad++ < 3) {
      ADD_FAILURE() << "vertex (" << p.x << ", " << p.y << ")"
                    << (wild ? " beyond 2^27" : " at the height of a Missing value or marker")
                    << "; axis " << low << " .. " << high;
    }
  }
  EXPECT_EQ(bad, 0);

  EXPECT_EQ(std::memcmp(&run.before, &grid, sizeof grid), 0) << "grid changed by the run";

  AllOutputs second;
  ASSERT_EQ(RunPlot(settings, grid, run.tables, messages, second), PlotOutcome::Published);
  EXPECT_TRUE(first.emfBytes == second.emfBytes) << "metafile differs the second time";
  EXPECT_TRUE(first.svgText == second.svgText) << "SVG differs the second time";
  EXPECT_TRUE(first.trace->trace() == second.trace->trace()) << "trace differs the second time";
}

// Every chart kind, split mode and summary mark.
constexpr ChartKind Charts[] = {ChartKind::GroupPlot, ChartKind::BoxPlot, ChartKind::Placeholder};
constexpr SplitMode Splits[] = {SplitMode::None, SplitMode::Paired, SplitMode::NonPaired};
constexpr SummaryMark Marks[] = {SummaryMark::None, SummaryMark::Mean,     SummaryMark::Median,
                                 SummaryMark::Sem,  SummaryMark::MedianSe, SummaryMark::Sd,
                                 SummaryMark::Iqr,  SummaryMark::BoxPlot};

// A sample of the settings: every chart with every split mode, the group plot with every
// summary mark, and the four flags walked through all their combinations across the list
// (the offset shifts them from grid to grid).
std::vector<PlotSettings> SampleSettings(uint32_t offset) {
  std::vector<PlotSettings> list;
  uint32_t i = offset;
  for (ChartKind chart : Charts) {
    for (SplitMode split : Splits) {
      for (SummaryMark mark : Marks) {
        if (chart != ChartKind::GroupPlot && mark != SummaryMark::None) continue;
        uint32_t flags = (i++ * 7u) & 15u;  // 7 is odd: 16 steps visit all 16 combinations
        PlotSettings s;
        s.Chart = chart;
        s.Split = split;
        // The box plot draws no summary mark, whichever is chosen.
        s.Mark = chart == ChartKind::GroupPlot
                     ? mark
                     : (flags & 1 ? SummaryMark::None : SummaryMark::MedianSe);
        s.LogFlag = int32_t(flags & 1);
        s.LineAt01 = int32_t((flags >> 1) & 1);
        s.BlueBackground = int32_t((flags >> 2) & 1);
        s.ConnectingLines = int32_t((flags >> 3) & 1);
        list.push_back(s);
      }
    }
  }
  return list;
}

// A grid under construction; Import() gives what the decoder makes of it.
struct Sheet {
  Sheet(int32_t rows, int32_t columns) : grid(std::make_unique<WorksheetGrid>()) {
    testing::ClearSheet(*grid, rows, columns);
    for (int32_t c = 0; c < columns; c++) Name(c, ("c" + std::to_string(c)).c_str());
  }
  void Name(int32_t c, const std::string& first, const std::string& second = "") {
    testing::NameColumn(*grid, c, first, second);
  }
  void Split(int32_t c, const std::string& labels) { Name(c, "split", labels); }
  double& At(int32_t r, int32_t c) { return grid->Values[r][c]; }

  std::unique_ptr<WorksheetGrid> grid;
};

std::unique_ptr<WorksheetGrid> Import(const std::vector<uint8_t>& bytes) {
  auto grid = std::make_unique<WorksheetGrid>();
  EXPECT_EQ(DecodeWk1(*grid, bytes.data(), bytes.size()), Wk1DecodeStatus::Ok);
  // What the import stores is always a number strictly inside the bounds, or the Missing value.
  for (int32_t r = 0; r < grid->RowCount; r++) {
    for (int32_t c = 0; c < grid->ColumnCount; c++) {
      double v = grid->Values[r][c];
      EXPECT_TRUE(v == MissingValue || (v > MissingValue && v < 999999.999))
          << "cell " << r << "," << c << " holds " << v;
    }
  }
  return grid;
}

std::unique_ptr<WorksheetGrid> Import(const Sheet& sheet) {
  return Import(WriteWk1(*sheet.grid));
}

double FromBits(uint64_t bits) {
  return std::bit_cast<double>(bits);
}

// Values a user or another program can put into cells, the import's bounds and beyond.
const double Extremes[] = {999999.998,
                           -999999.998,
                           AboveLimitMarker,
                           BelowLimitMarker,
                           999999.999,  // imported as Missing
                           -1000000.0,
                           0.0,
                           -0.0,
                           1e-300,
                           -1e-300,
                           FromBits(1),  // the smallest subnormal
                           FromBits(0x7FF8000000000000),
                           FromBits(0xFFF8000000000001),
                           FromBits(0x7FF0000000000001),  // signalling
                           FromBits(0x7FFFFFFFFFFFFFFF),
                           INFINITY,
                           -INFINITY,
                           1e308,
                           999998.998,
                           -999998.998,
                           1.0,
                           32767.0,
                           -32768.0,
                           0.5};
constexpr int32_t ExtremeCount = int32_t(sizeof Extremes / sizeof Extremes[0]);

struct NamedGrid {
  std::string name;
  std::unique_ptr<WorksheetGrid> grid;
};

// Full-size grids (1024 x 25), each through the import.
std::vector<NamedGrid> LargeGrids() {
  std::vector<NamedGrid> grids;
  {
    // Every extreme value in every column, in a different order per column; the last column
    // a split column with every code.
    Sheet sheet(MaxRows, MaxColumns);
    for (int32_t r = 2; r < MaxRows; r++) {
      for (int32_t c = 0; c < MaxColumns - 1; c++)
        sheet.At(r, c) = Extremes[(r * (c + 1)) % ExtremeCount];
      sheet.At(r, MaxColumns - 1) = double(r % 10);
    }
    sheet.Split(MaxColumns - 1, "0=a;1=b;2=c;3=d;4=e;5=f;6=g;7=h;8=i;9=j");
    grids.push_back({"extremes, 240 series", Import(sheet)});
  }
  {
    Sheet sheet(MaxRows, MaxColumns);
    for (int32_t r = 2; r < MaxRows; r++) {
      for (int32_t c = 0; c < MaxColumns; c++) {
        sheet.At(r, c) = (r + c) % 2 ? 999999.998 : -999999.998;
      }
    }
    grids.push_back({"plus and minus 999999.998", Import(sheet)});
  }
  {
    Sheet sheet(MaxRows, MaxColumns);
    for (int32_t r = 2; r < MaxRows; r++) {
      for (int32_t c = 0; c < MaxColumns; c++) {
        sheet.At(r, c) = (r * 3 + c) % 5 == 0 ? AboveLimitMarker : BelowLimitMarker;
      }
    }
    grids.push_back({"limit markers only", Import(sheet)});
  }
  {
    // Tiny differences near 100000 (and near -100000) that no tick step can resolve.
    Sheet sheet(MaxRows, MaxColumns);
    for (int32_t r = 2; r < MaxRows; r++) {
      for (int32_t c = 0; c < MaxColumns; c++) {
        double base = c % 2 ? 100000.0 : -100000.0;
        sheet.At(r, c) = base + double(r % 7) * 1e-10 * base;
      }
    }
    grids.push_back({"tiny differences near 100000", Import(sheet)});
  }
  {
    // Not-a-number bit patterns and infinities in NUMBER records, a few real values between.
    Sheet sheet(MaxRows, MaxColumns);
    const uint64_t patterns[] = {0x7FF8000000000000, 0xFFF8000000000000, 0x7FF0000000000001,
                                 0xFFF0000000000001, 0x7FFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF,
                                 0x7FF0000000000000, 0xFFF0000000000000, 0x7FF4000000000000};
    for (int32_t r = 2; r < MaxRows; r++) {
      for (int32_t c = 0; c < MaxColumns; c++) {
        sheet.At(r, c) = r % 97 == 0 ? double(r) : FromBits(patterns[(r + c) % 9]);
      }
    }
    grids.push_back({"not-a-number patterns", Import(sheet)});
  }
  return grids;
}

// Labels of every byte value 1..255, 255 characters long, and labels full of line breaks and
// markup characters, on a range of ordinary numbers.
std::vector<NamedGrid> LabelGrids() {
  std::vector<NamedGrid> grids;
  Sheet sheet(60, MaxColumns);
  for (int32_t c = 0; c < MaxColumns; c++) {
    std::string first, second;
    for (int32_t i = 0; i < MaxHeaderText; i++) {
      first += char(1 + (i + c * 11) % 255);
      second += char(255 - (i + c * 7) % 255);
    }
    sheet.Name(c, first, second);
  }
  for (int32_t r = 2; r < 60; r++) {
    for (int32_t c = 0; c < MaxColumns; c++) sheet.At(r, c) = (r * 37 + c * 11) % 23 - 5.5;
  }
  grids.push_back({"every byte in 255-character labels", Import(sheet)});

  Sheet markup(40, 6);
  markup.Name(0, "a&b<c>d\"e'f", "line\r\nbreak\nand\rmore & <![CDATA[ ]]> -->");
  markup.Name(1, "&amp;&lt;&#0;&#x1;", "<svg xmlns=\"x\"><text>");
  markup.Name(2, "\t\v\f\x1b\x7f\x81\x8d\x8f\x90\x9d\xa0\xad\xff", "\x01\x02\x03");
  markup.Name(3, std::string(MaxHeaderText, '&'), std::string(MaxHeaderText, '\n'));
  markup.Name(4, std::string(MaxHeaderText, '<'), std::string(MaxHeaderText, '\r'));
  markup.Split(5, "0=<b>&amp;\"1=\n\r\t&;2=]]>;3=\x81\x9d;9=" + std::string(250, 'W'));
  for (int32_t r = 2; r < 40; r++) {
    for (int32_t c = 0; c < 5; c++) markup.At(r, c) = double((r * 13 + c) % 17) / 3;
    markup.At(r, 5) = double(r % 4 == 3 ? 9 : r % 4);
  }
  grids.push_back({"markup and line breaks in labels", Import(markup)});
  return grids;
}

// Small and degenerate ranges.
std::vector<NamedGrid> SmallGrids() {
  std::vector<NamedGrid> grids;
  grids.push_back({"no rows", Import(Sheet(0, 0))});
  for (int32_t rows : {1, 2, 3}) {
    Sheet sheet(rows, 3);
    sheet.Split(2, "0=x");
    if (rows > 2) sheet.At(2, 0) = 7;
    grids.push_back({std::to_string(rows) + " rows", Import(sheet)});
  }
  {
    Sheet sheet(30, 1);
    for (int32_t r = 2; r < 30; r++) sheet.At(r, 0) = r * 0.25;
    grids.push_back({"one column", Import(sheet)});
  }
  {
    Sheet sheet(30, 1);
    sheet.Split(0, "0=only");
    for (int32_t r = 2; r < 30; r++) sheet.At(r, 0) = r % 10;
    grids.push_back({"the split column alone", Import(sheet)});
  }
  {
    // Odd split codes: 9.7 (code 9), -0.5 (group 0 for a value, no code), 10, Missing.
    Sheet sheet(50, 4);
    sheet.Split(1, "9=nine;0=zero");
    const double codes[] = {9.7, -0.5, 10, MissingValue, 0.999, 9.0, -3};
    for (int32_t r = 2; r < 50; r++) {
      sheet.At(r, 0) = r * 1.5 - 30;
      sheet.At(r, 1) = codes[r % 7];
      sheet.At(r, 2) = r % 3 ? AboveLimitMarker : r;
      sheet.At(r, 3) = r % 5 ? BelowLimitMarker : -r;
    }
    grids.push_back({"odd split codes", Import(sheet)});
  }
  {
    Sheet sheet(50, 3);
    sheet.Split(1, "0=a;1=b");
    for (int32_t r = 2; r < 50; r++) {
      sheet.At(r, 0) = r;
      sheet.At(r, 1) = r % 2 ? 10 : -1;  // no code 0..9 anywhere: no series
      sheet.At(r, 2) = -r;
    }
    grids.push_back({"split column without a code", Import(sheet)});
  }
  {
    Sheet sheet(50, 3);
    sheet.Split(0, "0=a;1=b");
    for (int32_t r = 2; r < 50; r++) {
      sheet.At(r, 1) = r;
      sheet.At(r, 2) = r % 2 ? BelowLimitMarker : r;  // the split column holds nothing at all
    }
    grids.push_back({"split column of missing cells only", Import(sheet)});
  }
  {
    Sheet sheet(50, 3);
    sheet.Split(2, "0=a");
    for (int32_t r = 2; r < 50; r++) sheet.At(r, 2) = r % 10;  // data columns empty
    grids.push_back({"split groups of empty columns", Import(sheet)});
  }
  for (double value : {5.0, -3.0, 0.0, 100000.0, -100000.0, 999999.998, 1e-300}) {
    Sheet sheet(40, 4);
    for (int32_t r = 2; r < 40; r++) {
      for (int32_t c = 0; c < 4; c++) sheet.At(r, c) = value;
    }
    grids.push_back({"all equal to " + std::to_string(value), Import(sheet)});
  }
  {
    // Series of 1 to 9 values, each with markers, for the small-sample rules.
    Sheet sheet(11, 9);
    for (int32_t c = 0; c < 9; c++) {
      for (int32_t r = 2; r < 2 + c + 1; r++) {
        sheet.At(r, c) = r == 2 ? BelowLimitMarker : (r == 3 ? AboveLimitMarker : r * 1e5);
      }
    }
    grids.push_back({"short series with markers", Import(sheet)});
  }
  {
    // A raw stream: a 300-character label, a label with an embedded NUL, and a FORMULA record
    // whose result is not a number.
    std::vector<uint8_t> bytes;
    AppendWk1Bof(bytes);
    AppendWk1Range(bytes, 0, 0, 2, 9);
    std::string longLabel(300, 'L');
    AppendWk1Label(bytes, 0, 0, longLabel.data(), longLabel.size());
    AppendWk1Label(bytes, 1, 0, "split\0x", 7);
    AppendWk1Label(bytes, 1, 1, "0=a\0;1=b", 8);
    AppendWk1Label(bytes, 2, 0, "f", 1);
    for (uint16_t r = 2; r < 10; r++) {
      AppendWk1Number(bytes, 0, r, r * 0.5);
      AppendWk1Integer(bytes, 1, r, int16_t(r % 2));
      // FORMULA: cell fields, the cached result, then a formula of one byte.
      const uint8_t formula[] = {16, 0, 16, 0, 0xFF, 2,    0,    uint8_t(r), 0, 0,
                                 0,  0, 0,  0, 0,    0xF8, 0x7F, 1,          0, 3};
      bytes.insert(bytes.end(), std::begin(formula), std::end(formula));
    }
    AppendWk1Eof(bytes);
    grids.push_back({"long label, NUL in a label, not-a-number formula", Import(bytes)});
  }
  return grids;
}

class HostileGrids : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { xmlInitParser(); }
};

TEST_F(HostileGrids, LargeGridsDrawWellFormedPictures) {
  uint32_t offset = 0;
  for (const NamedGrid& g : LargeGrids()) {
    ASSERT_EQ(g.grid->RowCount, MaxRows) << g.name;
    ASSERT_EQ(g.grid->ColumnCount, MaxColumns) << g.name;
    // The whole sample on the first grid (every chart, split mode and error-bar style over the
    // largest series table), a different third of it on each of the others: full-size runs are
    // slow under the sanitizers.
    std::vector<PlotSettings> sample = SampleSettings(offset);
    const size_t stride = offset == 0 ? 1 : 3;
    for (size_t i = offset % stride; i < sample.size(); i += stride) {
      CheckRuns(*g.grid, sample[i], g.name);
    }
    offset++;
  }
}

TEST_F(HostileGrids, LabelsOfEveryByteDrawWellFormedPictures) {
  uint32_t offset = 5;
  for (const NamedGrid& g : LabelGrids()) {
    for (const PlotSettings& s : SampleSettings(offset++)) CheckRuns(*g.grid, s, g.name);
  }
}

TEST_F(HostileGrids, SmallAndDegenerateGridsDrawWellFormedPictures) {
  uint32_t offset = 9;
  for (const NamedGrid& g : SmallGrids()) {
    for (const PlotSettings& s : SampleSettings(offset++)) CheckRuns(*g.grid, s, g.name);
  }
}

// Values between a limit marker and the import's bound make the axis fall back to its default
// range, so means, deviations and medians lie hundreds of thousands of ranges off the axis:
// every summary mark must still stay within reach of a document reader.
TEST_F(HostileGrids, SummaryMarksFarOffTheAxisStayInReach) {
  Sheet sheet(20, 3);
  for (int32_t r = 2; r < 20; r++) {
    sheet.At(r, 0) = r == 2 ? 999999.5 : r;  // beyond the above-limit marker
    sheet.At(r, 1) = r % 3 ? 999998.5 : 400000.0 + r;
    sheet.At(r, 2) = r % 4 ? -999998.5 : -40000.0 * r;
  }
  std::unique_ptr<WorksheetGrid> grid = Import(sheet);
  for (SummaryMark mark : Marks) {
    for (int32_t log : {0, 1}) {
      CheckRuns(*grid, PlotSettings{ChartKind::GroupPlot, SplitMode::None, log, 0, 0, 0, mark},
                "far off the axis");
    }
  }
}

// Every combination of the settings on one small grid that holds a bit of everything.
TEST_F(HostileGrids, EverySettingOnAMixedGrid) {
  Sheet sheet(40, 5);
  sheet.Split(4, "0=lo&w;1=<hi>;9=\"q\"");
  for (int32_t r = 2; r < 40; r++) {
    for (int32_t c = 0; c < 4; c++) sheet.At(r, c) = Extremes[(r * 5 + c * 3) % ExtremeCount];
    sheet.At(r, 4) = r % 3 == 0 ? 9.7 : r % 3;
  }
  std::unique_ptr<WorksheetGrid> grid = Import(sheet);
  for (ChartKind chart : Charts) {
    for (SplitMode split : Splits) {
      for (int32_t flags = 0; flags < 16; flags++) {
        for (SummaryMark mark : Marks) {
          if (chart != ChartKind::GroupPlot && mark != SummaryMark::None) continue;
          PlotSettings s{
              chart, split, flags & 1, (flags >> 1) & 1, (flags >> 2) & 1, (flags >> 3) & 1, mark};
          CheckRuns(*grid, s, "mixed");
        }
      }
    }
  }
}

// A run after other runs over the same tables (the dialog stays open after a failed metafile,
// and its choices may change before the next OK) draws what a first run draws.
TEST_F(HostileGrids, EarlierRunsLeaveNoTraceInLaterPictures) {
  Sheet sheet(30, 4);
  sheet.Split(1, "0=zero;1=one;9=nine");
  for (int32_t r = 2; r < 30; r++) {
    sheet.At(r, 0) = Extremes[(r * 7) % ExtremeCount];
    sheet.At(r, 1) = r % 4 == 0 ? 9 : r % 2;
    sheet.At(r, 2) = r * 1.5 - 20;
    sheet.At(r, 3) = r % 5 ? BelowLimitMarker : r;
  }
  std::unique_ptr<WorksheetGrid> grid = Import(sheet);
  auto fresh = std::make_unique<PlotTables>();
  std::vector<PlotSettings> sample = SampleSettings(3);
  testing::QuietMessages messages;
  for (size_t i = 0; i < sample.size(); i++) {
    const PlotSettings& s = sample[i];
    SCOPED_TRACE(Describe(s));
    // Shared tables: the previous settings of the list ran last.
    AllOutputs later;
    PlotOutcome outcome = RunPlot(s, *grid, Shared().tables, messages, later);
    std::memset(fresh.get(), 0, sizeof *fresh);
    AllOutputs first;
    ASSERT_EQ(RunPlot(s, *grid, *fresh, messages, first), outcome);
    if (outcome != PlotOutcome::Published) continue;
    EXPECT_TRUE(first.trace->trace() == later.trace->trace()) << "trace depends on earlier runs";
    EXPECT_TRUE(first.emfBytes == later.emfBytes) << "metafile depends on earlier runs";
  }
}

// The heights of the marks a chart draws: circles and point strokes (their centres), polygons,
// and lines. The frame, tick labels and names are no marks.
class MarkHeights : public CoordinateCanvas {
 public:
  void MoveTo(int32_t x, int32_t y) override {
    from = {x, y};
    ys.push_back(y);
    CoordinateCanvas::MoveTo(x, y);
  }
  void LineTo(int32_t x, int32_t y) override {
    // A point drawn as a vertical stroke 210 long stands at its middle.
    if (x == from.x && y - from.y == 210) {
      ys.back() = from.y + 105;
    } else {
      ys.push_back(y);
    }
    from = {x, y};
    CoordinateCanvas::LineTo(x, y);
  }
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
    ys.push_back(top + (bottom - top) / 2);
    CoordinateCanvas::Ellipse(left, top, right, bottom);
  }
  void Polygon(const Point* points, int32_t count) override {
    for (int32_t i = 0; i < count; i++) ys.push_back(points[i].y);
    CoordinateCanvas::Polygon(points, count);
  }
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
    if (frameBottom == 0) frameBottom = bottom;  // the frame comes first
    CoordinateCanvas::Rectangle(left, top, right, bottom);
  }
  std::vector<int32_t> ys;
  Point from{0, 0};
  int32_t frameBottom = 0;
};

class MarkHeightsOutput : public PlotOutput {
 public:
  Canvas* Open() override {
    canvas = std::make_unique<MarkHeights>();
    return canvas.get();
  }
  bool Close() override { return true; }
  std::unique_ptr<MarkHeights> canvas;
};

// Over the generated corpus, with every chart, split, summary mark and both axes, and the tests
// shown on every other sheet (which shortens the frame): no box, whisker, line or dot stands
// outside the frame (a line's width aside) unless a value beyond the limit markers sent the axis
// to its default range.
TEST(FrameHoldsEveryMark, GeneratedCorpus) {
  const std::string folder = ::testing::TempDir() + "quillmap-frame-corpus";
  const std::string command = std::string("python3 ") + QUILLMAP_SOURCE_DIR +
                              "/scripts/make_sheet_corpus.py " + folder + " 40";
  ASSERT_EQ(std::system(command.c_str()), 0);
  auto grid = std::make_unique<WorksheetGrid>();
  qm::Run& run = Shared();
  int32_t checked = 0;
  for (int32_t i = 0; i < 40; i++) {
    char name[32];
    std::snprintf(name, sizeof name, "/sheet%03d.tsv", i);
    std::ifstream file(folder + name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    ImportTextRange(*grid, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                    TextRangeKind::TabSeparated);
    for (ChartKind chart : {ChartKind::GroupPlot, ChartKind::BoxPlot}) {
      for (SplitMode split : Splits) {
        for (SummaryMark mark : Marks) {
          if (chart == ChartKind::BoxPlot && mark != SummaryMark::None) continue;
          for (int32_t log = 0; log <= 1; log++) {
            PlotSettings settings;
            settings.Chart = chart;
            settings.Split = split;
            settings.Mark = mark;
            settings.LogFlag = log;
            settings.ConnectingLines = 1;
            settings.LineAt01 = 1;
            settings.ShowTests = i % 2;
            testing::RecordingMessages messages;
            MarkHeightsOutput output;
            if (RunPlot(settings, *grid, run.tables, messages, output) != PlotOutcome::Published) {
              continue;
            }
            if (run.tables.notes.axisFallback != AxisFallback::None) continue;
            checked++;
            for (int32_t y : output.canvas->ys) {
              ASSERT_TRUE(y >= FrameTop - 2 && y <= output.canvas->frameBottom + 2)
                  << name << ": " << Describe(settings) << ": a mark at y = " << y;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
}  // namespace qm
