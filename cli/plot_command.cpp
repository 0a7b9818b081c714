// quillmap-cli plot: the plot run of the desktop program on a worksheet file. The chart goes to
// a picture file whose format its name tells (.emf, the very bytes of the desktop program's
// metafile, or .svg), and/or the trace of its drawing operations goes to --ops.
#include <algorithm>
#include <cctype>
#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/tee_canvas.h"
#include "canvas/trace_canvas.h"
#include "cli/commands.h"
#include "cli/common.h"
#include "cli/option_words.h"
#include "io/atomic_file.h"
#include "plot/plot_run.h"
#ifdef QUILLMAP_QT_CANVAS
#include "canvas_qt/qt_painter_canvas.h"
#endif
#ifdef QUILLMAP_WIN32_PNG
#include "win32/png_encoder.h"
#endif
#if defined(QUILLMAP_QT_CANVAS) || defined(QUILLMAP_WIN32_PNG)
#define QM_PNG_PICTURES
#endif

namespace qm {

namespace {

constexpr const char* CommandName = "quillmap-cli plot";

// Picture formats by file name ending; a further format is one more entry here and one more
// recorder below.
enum class PictureFormat {
  Emf,
  Svg,
#ifdef QM_PNG_PICTURES
  Png,  // painted with Qt where the desktop program is built, by GDI on Windows
#endif
};

struct FormatName {
  const char* extension;
  PictureFormat format;
};

constexpr FormatName FormatNames[] = {
    {".emf", PictureFormat::Emf},
    {".svg", PictureFormat::Svg},
#ifdef QM_PNG_PICTURES
    {".png", PictureFormat::Png},
#endif
};

#ifdef QM_PNG_PICTURES
#define QM_PICTURE_FORMATS ".emf, .svg or .png"
#else
#define QM_PICTURE_FORMATS ".emf or .svg"
#endif

bool FormatOfPath(const std::string& path, PictureFormat& format) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  for (const FormatName& name : FormatNames) {
    std::string extension = name.extension;
    if (lower.size() > extension.size() &&
        lower.compare(lower.size() - extension.size(), extension.size(), extension) == 0) {
      format = name.format;
      return true;
    }
  }
  return false;
}

// A back end that records the picture and gives its bytes once the run has closed it.
class PictureRecorder {
 public:
  virtual ~PictureRecorder() = default;
  virtual Canvas& canvas() = 0;
  virtual std::string Finish() = 0;
};

class EmfRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  std::string Finish() override {
    const std::vector<uint8_t>& bytes = canvas_.Finish();
    return std::string(bytes.begin(), bytes.end());
  }

 private:
  EmfCanvas canvas_;
};

class SvgRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  std::string Finish() override { return canvas_.Finish(); }

 private:
  SvgCanvas canvas_;
};

#ifdef QUILLMAP_QT_CANVAS
class PngRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  std::string Finish() override {
    const QByteArray bytes = canvas_.Png();
    return std::string(bytes.constData(), size_t(bytes.size()));
  }

 private:
  QtPainterCanvas canvas_;
};
#elif defined(QUILLMAP_WIN32_PNG)
// The metafile played by GDI and encoded by the Windows Imaging Component; no bytes when that
// fails.
class PngRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  std::string Finish() override {
    std::vector<uint8_t> png;
    std::string error;
    if (!MetafileToPng(canvas_.Finish(), png, error)) {
      std::cerr << CommandName << ": " << error << '\n';
      return std::string();
    }
    return std::string(png.begin(), png.end());
  }

 private:
  EmfCanvas canvas_;
};
#endif

std::unique_ptr<PictureRecorder> MakeRecorder(PictureFormat format) {
  switch (format) {
    case PictureFormat::Emf:
      return std::make_unique<EmfRecorder>();
    case PictureFormat::Svg:
      return std::make_unique<SvgRecorder>();
#ifdef QM_PNG_PICTURES
    case PictureFormat::Png:
#ifdef QUILLMAP_QT_CANVAS
      EnsureQtGui();  // the painter's fonts need a GUI application
#endif
      return std::make_unique<PngRecorder>();
#endif
  }
  return nullptr;
}

// The picture file and the trace of one run. The files are written only after the run, so a
// failed run leaves earlier files as they were.
class FileOutput : public PlotOutput {
 public:
  FileOutput(const std::string& picturePath, PictureFormat format, const std::string& opsPath)
      : picturePath_(picturePath), format_(format), opsPath_(opsPath) {}

  Canvas* Open() override {
    std::string error;
    for (const std::string* path : {&picturePath_, &opsPath_}) {
      if (path->empty() || *path == "-") continue;
      if (!CanCreateFileAt(*path, error)) {
        std::cerr << CommandName << ": " << error << '\n';
        return nullptr;
      }
    }
    if (!picturePath_.empty()) recorder_ = MakeRecorder(format_);
    if (!opsPath_.empty()) trace_ = std::make_unique<TraceCanvas>();
    if (recorder_ && trace_) {
      tee_ = std::make_unique<TeeCanvas>(recorder_->canvas(), *trace_);
      return tee_.get();
    }
    if (recorder_) return &recorder_->canvas();
    return trace_.get();
  }

  // The files are written after the run, so that a failed run leaves the earlier ones.
  // A picture that could not be encoded has no bytes: the run then fails.
  bool Close() override {
    if (!recorder_) return true;
    picture_ = recorder_->Finish();
    return !picture_.empty();
  }

  // Writes what the run recorded. False after a message when a file cannot be written.
  bool Write() const {
    std::string error;
    if (recorder_ && !WriteFileAtomically(picturePath_, picture_.data(), picture_.size(), error)) {
      std::cerr << CommandName << ": " << error << '\n';
      return false;
    }
    if (!trace_) return true;
    const std::string& trace = trace_->trace();
    if (opsPath_ == "-") {
      std::cout << trace << std::flush;
      if (!std::cout) std::cerr << CommandName << ": cannot write the trace to standard output\n";
      return bool(std::cout);
    }
    if (!WriteFileAtomically(opsPath_, trace.data(), trace.size(), error)) {
      std::cerr << CommandName << ": " << error << '\n';
      return false;
    }
    return true;
  }

 private:
  std::string picturePath_;
  PictureFormat format_;
  std::string opsPath_;
  std::unique_ptr<PictureRecorder> recorder_;
  std::unique_ptr<TraceCanvas> trace_;
  std::unique_ptr<TeeCanvas> tee_;
  std::string picture_;
};

struct PlotOptions {
  std::string input;
  std::string output;
  std::string ops;
  std::string type = "ttest";
  std::string split = "none";
  bool log = false;
  bool line01 = false;
  bool blue = false;
  bool connect = false;
  std::string errorBar = "unset";
};

PlotSettings SettingsOf(const PlotOptions& options) {
  PlotSettings settings;
  settings.Chart = ValueOfWord(ChartKindWords, options.type);
  settings.Split = ValueOfWord(SplitModeWords, options.split);
  settings.LogFlag = options.log ? 1 : 0;
  settings.LineAt01 = options.line01 ? 1 : 0;
  settings.BlueBackground = options.blue ? 1 : 0;
  settings.ConnectingLines = options.connect ? 1 : 0;
  settings.Mark = ValueOfWord(SummaryMarkWords, options.errorBar);
  return settings;
}

// The grid and the tables of a run: large, so they live on the heap, zeroed like a program start.
struct RunTables {
  WorksheetGrid grid;
  PlotTables plot;
};

int RunPlotCommand(const PlotOptions& options) {
#ifdef SIGXFSZ
  // A file-size limit then fails the write (EFBIG), which is reported, instead of ending the
  // program halfway with a temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  if (options.output.empty() && options.ops.empty()) {
    std::cerr << CommandName << ": give -o OUT, --ops FILE or both\n";
    return 2;
  }
  PictureFormat format = PictureFormat::Emf;
  if (!options.output.empty() && !FormatOfPath(options.output, format)) {
    std::cerr << CommandName << ": " << options.output
              << ": unknown picture format (the name must end in " QM_PICTURE_FORMATS ")\n";
    return 2;
  }

  auto tables = std::make_unique<RunTables>();  // value-initialised: all zero
  StderrSink messages;
  std::string error;
  const int32_t code = LoadWorksheet(options.input, tables->grid, messages, error);
  if (code == -1000) {
    std::cerr << CommandName << ": " << error << '\n';
    return 2;
  }
  if (code != 0) return 1;

  FileOutput output(options.output, format, options.ops);
  PlotOutcome outcome = RunPlot(SettingsOf(options), tables->grid, tables->plot, messages, output);
  if (outcome != PlotOutcome::Published) return 1;
  return output.Write() ? 0 : 1;
}

}  // namespace

void AddPlotCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<PlotOptions>();
  CLI::App* command =
      app.add_subcommand("plot", "Draw the chart of INPUT into a picture file (" QM_PICTURE_FORMATS
                                 ") and/or trace it.");
  // The same options on every system: a path such as /data/x.wk1 is an input, not an option.
  command->allow_windows_style_options(false);
  command->add_option("INPUT", options->input, "worksheet file, or - for standard input")
      ->required();
  command->add_option("-o,--output", options->output, "picture file: " QM_PICTURE_FORMATS);
  command->add_option("--ops", options->ops,
                      "write the drawing operations, one a line, to FILE (- for standard output)");
  command->add_option("--type", options->type, "chart")
      ->check(CLI::IsMember(WordsOf(ChartKindWords)))
      ->capture_default_str();
  command->add_option("--split", options->split, "split mode")
      ->check(CLI::IsMember(WordsOf(SplitModeWords)))
      ->capture_default_str();
  command->add_flag("--log", options->log, "logarithmic value axis");
  command->add_flag("--line01", options->line01, "line at 0 (or 1 on a logarithmic axis)");
  command->add_flag("--blue", options->blue, "blue background");
  command->add_flag("--connect", options->connect, "lines connecting the values of a row");
  command->add_option("--error-bar", options->errorBar, "summary mark of the group plot")
      ->check(CLI::IsMember(WordsOf(SummaryMarkWords)))
      ->capture_default_str();
  command->callback([options, &status] { status = RunPlotCommand(*options); });
}

}  // namespace qm
