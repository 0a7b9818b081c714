// Tests of quillmap-cli plot: its files are the pictures and traces of the plot run with the
// settings its options name, and every failure has its message and exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/trace_canvas.h"
#include "cli/commands.h"
#include "cli/common.h"
#include "import/write_wk1.h"
#include "plot/plot_run.h"
#include "testsupport/cli_command_run.h"
#include "testsupport/emf_check.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/test_files.h"

namespace qm {
namespace {

const std::string Examples = QUILLMAP_SOURCE_DIR "/examples/";

using testing::CommandRun;
using testing::ReadFile;
using testing::WriteFile;

// Runs "quillmap-cli plot ARGS" in this process as main() would, capturing its output.
CommandRun RunPlotCommand(std::vector<std::string> args) {
  args.insert(args.begin(), "plot");
  return testing::RunCliCommand(AddPlotCommand, args);
}

// A fresh folder per test.
std::string TempFolder() {
  return testing::TempFolder("quillmap_plot_");
}

// Records into any back end; Close() leaves the canvas to be read.
template <typename CanvasType>
using MemoryOutput = testing::CanvasOutput<CanvasType>;

// The picture and trace the plot run itself gives for the input and settings.
struct Expected {
  std::string emf;
  std::string svg;
  std::string trace;
};

Expected RunInProcess(const std::string& input, const PlotSettings& settings) {
  auto grid = std::make_unique<WorksheetGrid>();
  auto tables = std::make_unique<PlotTables>();
  RecordingSink messages;
  const LoadedInput loaded = LoadWorksheet(input, *grid);
  EXPECT_TRUE(loaded.read && loaded.import.ok()) << loaded.error;
  MemoryOutput<EmfCanvas> emf;
  MemoryOutput<SvgCanvas> svg;
  MemoryOutput<TraceCanvas> trace;
  EXPECT_EQ(RunPlot(settings, *grid, *tables, messages, emf), PlotOutcome::Published);
  EXPECT_EQ(RunPlot(settings, *grid, *tables, messages, svg), PlotOutcome::Published);
  EXPECT_EQ(RunPlot(settings, *grid, *tables, messages, trace), PlotOutcome::Published);
  const std::vector<uint8_t>& bytes = emf.canvas->Finish();
  return {std::string(bytes.begin(), bytes.end()), svg.canvas->Finish(), trace.canvas->trace()};
}

TEST(PlotCommand, PlaceholderTraceOnStandardOutput) {
  CommandRun run =
      RunPlotCommand({Examples + "treatment.wk1", "--type", "placeholder", "--ops", "-"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Font upright\n"
            "Stock 7\n"
            "Stock 0\n"
            "Pen 0 15 0xFF0000\n"
            "Brush solid 0x0000FF\n"
            "Ellipse 10 10 10200 7650\n"
            "Polyline 10 10 10 7640 10190 7640 10190 10 10 10\n"
            "Stock 7\n"
            "Stock 0\n");
}

struct OptionCase {
  const char* input;
  std::vector<std::string> options;
  PlotSettings settings;
};

PlotSettings Settings(ChartKind chart, int32_t split, int32_t log, int32_t line01, int32_t blue,
                      int32_t connect, SummaryMark mark) {
  return PlotSettings{chart, SplitMode(split), log, line01, blue, connect, mark};
}

PlotSettings MarkingLimits(PlotSettings settings) {
  settings.MarkLimitValues = 1;
  return settings;
}

PlotSettings ShowingTests(PlotSettings settings) {
  settings.ShowTests = 1;
  return settings;
}

PlotSettings Bold(PlotSettings settings) {
  settings.BoldLines = 1;
  return settings;
}

TEST(PlotCommand, FilesHoldTheRunOfTheNamedSettings) {
  const OptionCase cases[] = {
      {"treatment.wk1", {}, Settings(ChartKind::GroupPlot, 0, 0, 0, 0, 0, SummaryMark::None)},
      {"treatment.wk1",
       {"--type", "boxplot", "--log", "--blue"},
       Settings(ChartKind::BoxPlot, 0, 1, 0, 1, 0, SummaryMark::None)},
      {"split.wk1",
       {"--split", "paired", "--error-bar", "sem", "--connect", "--line01"},
       Settings(ChartKind::GroupPlot, 1, 0, 1, 0, 1, SummaryMark::Sem)},
      {"split.wk1",
       {"--split", "non-paired", "--error-bar", "median-se", "--type", "ttest"},
       Settings(ChartKind::GroupPlot, 2, 0, 0, 0, 0, SummaryMark::MedianSe)},
      {"ranges.wk1",
       {"--log", "--error-bar", "boxplot"},
       Settings(ChartKind::GroupPlot, 0, 1, 0, 0, 0, SummaryMark::BoxPlot)},
      {"treatment.wk1",
       {"--error-bar", "sd", "--mark-limits"},
       MarkingLimits(Settings(ChartKind::GroupPlot, 0, 0, 0, 0, 0, SummaryMark::Sd))},
      {"split.wk1",
       {"--split", "paired", "--tests", "--type", "boxplot"},
       ShowingTests(Settings(ChartKind::BoxPlot, 1, 0, 0, 0, 0, SummaryMark::None))},
      {"split.wk1",
       {"--split", "paired", "--error-bar", "sd", "--bold-lines"},
       Bold(Settings(ChartKind::GroupPlot, 1, 0, 0, 0, 0, SummaryMark::Sd))},
      {"ranges.wk1",
       {"--error-bar", "none"},
       Settings(ChartKind::GroupPlot, 0, 0, 0, 0, 0, SummaryMark::None)},
      {"treatment.wk1",
       {"--type", "placeholder", "--blue"},
       Settings(ChartKind::Placeholder, 0, 0, 0, 1, 0, SummaryMark::None)},
  };
  std::string folder = TempFolder();
  for (const OptionCase& c : cases) {
    std::string input = Examples + c.input;
    std::string label = c.input;
    for (const std::string& option : c.options) label += ' ' + option;
    Expected expected = RunInProcess(input, c.settings);

    std::vector<std::string> args = {input, "-o", folder + "chart.emf", "--ops",
                                     folder + "ops.txt"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    CommandRun run = RunPlotCommand(args);
    ASSERT_EQ(run.status, 0) << label << ": " << run.err;
    std::string emf = ReadFile(folder + "chart.emf");
    EXPECT_EQ(emf, expected.emf) << label;
    EXPECT_EQ(ReadFile(folder + "ops.txt"), expected.trace) << label;
    std::string problem;
    EXPECT_TRUE(CheckEmf(reinterpret_cast<const uint8_t*>(emf.data()), emf.size(), problem))
        << label << ": " << problem;

    args[2] = folder + "Chart.SVG";  // the format is told by the ending in any letter case
    args[3] = "--ops";
    args[4] = "-";
    run = RunPlotCommand(args);
    ASSERT_EQ(run.status, 0) << label << ": " << run.err;
    EXPECT_EQ(ReadFile(folder + "Chart.SVG"), expected.svg) << label;
    EXPECT_EQ(run.out, expected.trace) << label;
  }
}

TEST(PlotCommand, PictureWithoutTrace) {
  std::string folder = TempFolder();
  CommandRun run = RunPlotCommand({Examples + "treatment.wk1", "-o", folder + "a.emf"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFile(folder + "a.emf"),
            RunInProcess(Examples + "treatment.wk1",
                         Settings(ChartKind::GroupPlot, 0, 0, 0, 0, 0, SummaryMark::None))
                .emf);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind
}

struct FailureCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the test's folder
  int status;
  std::string err;  // a part of the standard error
};

TEST(PlotCommand, FailuresLeaveEarlierFilesAlone) {
  std::string folder = TempFolder();
  std::vector<uint8_t> cut;
  AppendWk1Bof(cut);
  cut.insert(cut.end(), {9, 0, 9, 0, 1});  // a record body past the end
  WriteFile(folder + "cut.wk1", std::string(cut.begin(), cut.end()));
  const std::string treatment = Examples + "treatment.wk1";
  const FailureCase cases[] = {
      {"no split column",
       {treatment, "--split", "paired", "-o", "@old.emf", "--ops", "@old.ops"},
       1,
       "No SPLIT-column found\n"},
      {"folder missing",
       {treatment, "-o", "@missing/x.emf", "--ops", "@old.ops"},
       1,
       "Problem creating Metafile\n"},
      {"ops folder missing",
       {treatment, "-o", "@old.emf", "--ops", "@missing/x.ops"},
       1,
       "Problem creating Metafile\n"},
      {"unknown format",
       {treatment, "-o", "@old.gif", "--ops", "@old.ops"},
       2,
       "unknown picture format"},
      {"no format", {treatment, "-o", "@emf", "--ops", "@old.ops"}, 2, "unknown picture format"},
      {"nothing to write", {treatment}, 2, "give -o OUT, --ops FILE or both"},
      {"unknown type", {treatment, "--type", "pie", "--ops", "@old.ops"}, 2, "pie"},
      {"unknown error bar", {treatment, "--error-bar", "range", "--ops", "@old.ops"}, 2, "range"},
      {"missing input", {"@none.wk1", "-o", "@old.emf"}, 2, "cannot open"},
      {"failed import", {"@cut.wk1", "-o", "@old.emf"}, 1, "Error -1 reading wk1-data"},
  };
  for (const FailureCase& c : cases) {
    for (const char* name : {"old.emf", "old.ops", "old.gif", "emf"}) {
      WriteFile(folder + name, "earlier");
    }
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a[0] == '@' ? folder + a.substr(1) : a);
    CommandRun run = RunPlotCommand(args);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.name;
    for (const char* name : {"old.emf", "old.ops", "old.gif", "emf"}) {
      EXPECT_EQ(ReadFile(folder + name), "earlier") << c.name << ": " << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder + "missing")) << c.name;
  }
}

// What the import and the chart could not keep or draw as asked is told on standard error, a line
// each; so is why an input gives no chart. The chart itself is still written where it can be.
// The system's reason for a file in a folder that does not exist.
#ifdef _WIN32
const std::string MissingFolderReason = "Path not found";
#else
const std::string MissingFolderReason = "No such file or directory";
#endif

TEST(PlotCommand, SaysWhatWasLeftOut) {
  std::string folder = TempFolder();
  std::string tall = "A\nx\n";
  for (int r = 0; r < 1098; r++) tall += std::to_string(r) + "\n";
  std::string wide = "h";
  for (int c = 1; c < 30; c++) wide += "\th";
  wide += "\nx\n1\n";
  struct Case {
    const char* name;
    const char* file;
    std::string text;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> err;  // each one line of the standard error
  } cases[] = {
      {"a clean range", "clean.tsv", "A\nx\n1\n2\n", {}, 0, {}},
      {"values beyond the bounds",
       "load.tsv",
       "Load\ncp/mL\n2500000\n12\n-3e6\n",
       {},
       0,
       {"Note: 2 values outside -999999.999 to 999999.999 were read as Missing (the first: "
        "2500000, row 3, column \"Load\")"}},
      {"rows cut",
       "tall.tsv",
       tall,
       {},
       0,
       {"Note: The range has cells in 1100 rows: only the first 1024 were read"}},
      {"only empty rows beyond the grid",
       "empty-rows.tsv",
       "A\nx\n1\n" + std::string(2000, '\n'),
       {},
       0,
       {}},
      {"columns cut",
       "wide.tsv",
       wide,
       {},
       0,
       {"Note: The range has cells in 30 columns: only the first 25 were read"}},
      {"texts among numbers",
       "nd.tsv",
       "A\tB\nx\ty\n1\tn.d.\n12%\t\n2\tgood\n",
       {},
       0,
       {"Note: 1 text in a column of numbers was read as Missing (\"12%\", row 4, column \"A\")"}},
      {"numbers read either way",
       "us.tsv",
       "A\nx\n1,234\n1,100.5\n",
       {},
       0,
       {"Note: \"1,234\" (row 3, column \"A\") was read as 1234: the decimal mark is a point, as "
        "\"1,100.5\" (row 4, column \"A\") shows"}},
      {"one more number read either way",
       "us2.tsv",
       "A\nx\n1,234\n2,500\n1,100.5\n",
       {},
       0,
       {"Note: \"1,234\" (row 3, column \"A\") and 1 more number were read as 1234: the decimal "
        "mark is a point, as \"1,100.5\" (row 5, column \"A\") shows"}},
      {"more numbers read either way",
       "us3.tsv",
       "A\nx\n1,234\n2,500\n3,750\n1,100.5\n",
       {},
       0,
       {"Note: \"1,234\" (row 3, column \"A\") and 2 more numbers were read as 1234: the decimal "
        "mark is a point, as \"1,100.5\" (row 6, column \"A\") shows"}},
      {"log axis refused",
       "neg.tsv",
       "A\nx\n-1\n2\n",
       {"--log"},
       0,
       {"Note: No logarithmic axis: some values are 0 or below, so the axis is linear"}},
      {"tiny values on a log axis: drawn, no note",
       "tiny.tsv",
       "A\nx\n1e-300\n2e-300\n3e-300\n",
       {"--log"},
       0,
       {}},
      {"a name and a text with control characters",
       "ctl.tsv",
       "A\x1b[2J\nx\n1\n\x1b]0;t\x07\n",
       {},
       0,
       {"Note: 1 text in a column of numbers was read as Missing (\"\\x1b]0;t\\x07\", row 4, "
        "column \"A\\x1b[2J\")"}},
      {"value beyond a marker",
       "beyond.tsv",
       "A\nx\n999999.5\n2\n",
       {"--type", "boxplot"},
       0,
       {"Note: A value below -999998.999 or above 999998.999 sent the axis to its default range: "
        "most values lie outside it"}},
      {"quantile beside a marker: the box's own range, no note",
       "marker.tsv",
       "A\nx\n-999998.999\n-999998.999\n1\n2\n3\n4\n5\n6\n7\n",
       {"--type", "boxplot"},
       0,
       {}},
      {"no series",
       "blank.tsv",
       "A\tB\nx\ty\n\t\n",
       {},
       0,
       {"Note: No series holds a value: only the frame was drawn"}},
      {"empty text",
       "empty.csv",
       "",
       {},
       1,
       {"quillmap-cli plot: @empty.csv: no cell: the text is empty or blank"}},
      {"blank text",
       "blank.txt",
       "  \n\t\n",
       {},
       1,
       {"quillmap-cli plot: @blank.txt: no cell: the text is empty or blank"}},
      {"empty WK1 file",
       "empty.wk1",
       "",
       {},
       1,
       {"@empty.wk1: 0 bytes, too short for a WK1 worksheet"}},
      {"metafile folder missing",
       "clean2.tsv",
       "A\nx\n1\n",
       {"-o", "@missing/x.emf"},
       1,
       {"Problem creating Metafile", "cannot create @missing/x.emf: " + MissingFolderReason}},
  };
  for (const Case& c : cases) {
    WriteFile(folder + c.file, c.text);
    std::vector<std::string> args = {folder + c.file};
    for (const std::string& a : c.args) args.push_back(a[0] == '@' ? folder + a.substr(1) : a);
    if (c.args.empty() || c.args[0] != "-o") args.insert(args.end(), {"-o", folder + "chart.svg"});
    CommandRun run = RunPlotCommand(args);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    std::string expected;
    for (const std::string& line : c.err) {
      expected += (line.find('@') == std::string::npos ? line
                                                       : line.substr(0, line.find('@')) + folder +
                                                             line.substr(line.find('@') + 1)) +
                  "\n";
    }
    EXPECT_EQ(run.err, expected) << c.name;
  }
}

}  // namespace
}  // namespace qm
