// quillmap-cli plot: the plot run of the desktop program on a worksheet file. The chart goes to
// a picture file whose format its name tells (.emf, the very bytes of the desktop program's
// metafile, .svg, or .png and .pdf painted by the render module), and/or the trace of its
// drawing operations goes to --ops.
#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "canvas/emf_canvas.h"
#include "canvas/svg_canvas.h"
#include "canvas/tee_canvas.h"
#include "canvas/trace_canvas.h"
#include "cli/commands.h"
#include "cli/common.h"
#include "cli/option_words.h"
#include "cli/render_module_loader.h"
#include "io/atomic_file.h"
#include "plot/plot_run.h"

namespace qm {

namespace {

namespace fs = std::filesystem;

constexpr const char* CommandName = "quillmap-cli plot";

// Picture formats by file name ending; a further format is one more entry here and one more
// recorder below, or one more format of the renderer.
enum class PictureFormat {
  Emf,
  Svg,
  Png,  // painted by the renderer
  Pdf,  // painted by the renderer
};

struct FormatName {
  const char* extension;
  PictureFormat format;
};

constexpr FormatName FormatNames[] = {
    {".emf", PictureFormat::Emf},
    {".svg", PictureFormat::Svg},
    {".png", PictureFormat::Png},
    {".pdf", PictureFormat::Pdf},
};

bool NeedsRenderModule(PictureFormat format) {
  return format == PictureFormat::Png || format == PictureFormat::Pdf;
}

RenderFormat RenderFormatOf(PictureFormat format) {
  return format == PictureFormat::Png ? RenderFormat::Png : RenderFormat::Pdf;
}

// Whether this build writes the format: a format of the renderer only where it paints it.
bool Offered(PictureFormat format) {
  return !NeedsRenderModule(format) || RendererPaints(RenderFormatOf(format));
}

// The endings of the formats offered, as a message lists them: ".emf, .svg, .png or .pdf".
std::string OfferedFormatsText() {
  std::vector<std::string> endings;
  for (const FormatName& name : FormatNames) {
    if (Offered(name.format)) endings.push_back(name.extension);
  }
  std::string text;
  for (size_t i = 0; i < endings.size(); i++) {
    if (i > 0) text += i + 1 == endings.size() ? " or " : ", ";
    text += endings[i];
  }
  return text;
}

bool FormatOfPath(const std::string& path, PictureFormat& format) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  for (const FormatName& name : FormatNames) {
    if (!Offered(name.format)) continue;
    std::string extension = name.extension;
    if (lower.size() > extension.size() &&
        lower.compare(lower.size() - extension.size(), extension.size(), extension) == 0) {
      format = name.format;
      return true;
    }
  }
  return false;
}

// A character device or a pipe (/dev/stdout, a named pipe) has no picture name of its own: it
// gets the metafile, the desktop program's own picture.
bool IsDeviceOrPipe(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && (fs::is_character_file(status) || fs::is_fifo(status));
}

// The file a name leads to once the symbolic links at its end are followed (whether or not it
// exists yet), as an absolute path with its folder's links resolved; empty when that fails.
fs::path ResolvedName(const std::string& name) {
  std::error_code error;
  fs::path path = name;
  for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, error)); hop++) {
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  path = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? fs::path() : path;
}

// Whether two output names lead to one file: the same file, or for files yet to be made the
// same name in the same folder, however each is spelt.
bool NameSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const fs::path resolved = ResolvedName(a);
  return !resolved.empty() && resolved == ResolvedName(b);
}

// A back end that records the picture and gives its bytes once the run has closed it.
class PictureRecorder {
 public:
  virtual ~PictureRecorder() = default;
  virtual Canvas& canvas() = 0;
  // The picture's bytes, which live as long as the recorder: the largest EMF is not copied.
  // False, after a message, when the back end could not give them.
  virtual bool Finish(std::string_view& bytes) = 0;
};

class EmfRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  bool Finish(std::string_view& bytes) override {
    const std::vector<uint8_t>& recorded = canvas_.Finish();
    bytes = std::string_view(reinterpret_cast<const char*>(recorded.data()), recorded.size());
    return true;
  }

 private:
  EmfCanvas canvas_;
};

class SvgRecorder : public PictureRecorder {
 public:
  Canvas& canvas() override { return canvas_; }
  bool Finish(std::string_view& bytes) override {
    bytes = canvas_.Finish();
    return true;
  }

 private:
  SvgCanvas canvas_;
};

// A picture the renderer paints.
class ModuleRecorder : public PictureRecorder {
 public:
  explicit ModuleRecorder(std::unique_ptr<RenderedPicture> picture)
      : picture_(std::move(picture)) {}
  Canvas& canvas() override { return picture_->canvas(); }
  bool Finish(std::string_view& bytes) override {
    std::string error;
    if (!picture_->Finish(bytes_, error)) {
      std::cerr << CommandName << ": " << error << '\n';
      return false;
    }
    bytes = bytes_;
    return true;
  }

 private:
  std::unique_ptr<RenderedPicture> picture_;
  std::string bytes_;
};

// nullptr when the renderer paints no such picture.
std::unique_ptr<PictureRecorder> MakeRecorder(PictureFormat format, const RenderModule* module) {
  switch (format) {
    case PictureFormat::Emf:
      return std::make_unique<EmfRecorder>();
    case PictureFormat::Svg:
      return std::make_unique<SvgRecorder>();
    case PictureFormat::Png:
    case PictureFormat::Pdf: {
      if (module == nullptr) return nullptr;
      std::unique_ptr<RenderedPicture> picture = module->create(RenderFormatOf(format));
      if (!picture) return nullptr;
      return std::make_unique<ModuleRecorder>(std::move(picture));
    }
  }
  return nullptr;
}

// The picture file and the trace of one run. The files are written only after the run, so a
// failed run leaves earlier files as they were.
class FileOutput : public PlotOutput {
 public:
  FileOutput(const std::string& picturePath, PictureFormat format, const RenderModule* module,
             const std::string& opsPath)
      : picturePath_(picturePath), format_(format), module_(module), opsPath_(opsPath) {}

  Canvas* Open() override {
    for (const std::string* path : {&picturePath_, &opsPath_}) {
      if (path->empty() || *path == "-") continue;
      // The run shows it below "Problem creating Metafile".
      if (!CanCreateFileAt(*path, failure_)) return nullptr;
    }
    if (!picturePath_.empty()) {
      recorder_ = MakeRecorder(format_, module_);
      if (!recorder_) {
        failure_ = std::string("the render module ") + RenderModuleFileName +
                   " gives no renderer for " + picturePath_;
        return nullptr;
      }
    }
    if (!opsPath_.empty()) trace_ = std::make_unique<TraceCanvas>();
    if (recorder_ && trace_) {
      tee_ = std::make_unique<TeeCanvas>(recorder_->canvas(), *trace_);
      return tee_.get();
    }
    if (recorder_) return &recorder_->canvas();
    return trace_.get();
  }

  // The files are written after the run, so that a failed run leaves the earlier ones.
  bool Close() override { return !recorder_ || recorder_->Finish(picture_); }

  std::string FailureReason() const override { return failure_; }

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
  const RenderModule* module_;
  std::string opsPath_;
  std::unique_ptr<PictureRecorder> recorder_;
  std::unique_ptr<TraceCanvas> trace_;
  std::unique_ptr<TeeCanvas> tee_;
  std::string_view picture_;  // in recorder_
  std::string failure_;       // why Open failed
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
  bool markLimits = false;
  bool tests = false;
  bool boldLines = false;
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
  settings.MarkLimitValues = options.markLimits ? 1 : 0;
  settings.ShowTests = options.tests ? 1 : 0;
  settings.BoldLines = options.boldLines ? 1 : 0;
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
  // Both would be written, the one over the other: only the trace would be left.
  if (!options.output.empty() && !options.ops.empty() && options.ops != "-" &&
      NameSameFile(options.output, options.ops)) {
    std::cerr << CommandName << ": -o and --ops name the same file (" << options.ops
              << "); give each its own\n";
    return 2;
  }
  PictureFormat format = PictureFormat::Emf;
  std::string error;
  if (!options.output.empty() && !FormatOfPath(options.output, format) &&
      !IsDeviceOrPipe(options.output)) {
    std::cerr << CommandName << ": " << options.output
              << ": unknown picture format (the name must end in " << OfferedFormatsText() << ")\n";
    return 2;
  }
  // Opened before the input is read, so that a missing module costs nothing and writes nothing.
  const RenderModule* module = nullptr;
  if (!options.output.empty() && NeedsRenderModule(format)) {
    module = LoadRenderModule(error);
    if (module == nullptr) {
      std::cerr
          << CommandName << ": " << options.output
          << ": PNG and PDF pictures need the render module " << RenderModuleFileName << ": "
          << error
          << "\nWithout it quillmap-cli writes .emf and .svg pictures and the trace (--ops).\n";
      return 2;
    }
  }

  auto tables = std::make_unique<RunTables>();  // value-initialised: all zero
  StderrSink messages;
  const LoadedInput loaded = LoadWorksheet(options.input, tables->grid);
  if (!loaded.read) {
    std::cerr << CommandName << ": " << loaded.error << '\n';
    return 2;
  }
  ShowInputMessages(loaded, options.input, CommandName, messages);
  if (!loaded.import.ok()) return 1;
  PrintNotes(ImportNoteLines(loaded.import.notes, tables->grid));

  FileOutput output(options.output, format, module, options.ops);
  RunNotes notes;
  PlotOutcome outcome =
      RunPlot(SettingsOf(options), tables->grid, tables->plot, messages, output, &notes);
  if (outcome != PlotOutcome::Published) return 1;
  PrintNotes(PlotNoteLines(notes.plot));
  return output.Write() ? 0 : 1;
}

}  // namespace

void AddPlotCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<PlotOptions>();
  const std::string formats = OfferedFormatsText();
  CLI::App* command = app.add_subcommand(
      "plot", "Draw the chart of INPUT into a picture file (" + formats + ") and/or trace it.");
  // The same options on every system: a path such as /data/x.wk1 is an input, not an option.
  command->allow_windows_style_options(false);
  command
      ->add_option("INPUT", options->input,
                   "worksheet file (.wk1, .csv, .tsv or .txt), or - for standard input")
      ->required();
  command->add_option(
      "-o,--output", options->output,
      "picture file: " + formats +
          " (PNG and PDF are painted by the render module, loaded only for them; a device or pipe"
          " without such a name gets the metafile)");
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
  command->add_flag("--mark-limits", options->markLimits,
                    "draw values estimated for limit markers as filled dots, and a key under the "
                    "chart naming the summary mark and that dot");
  command->add_flag("--tests", options->tests,
                    "under each slot its p-value against the first slot of its block and its "
                    "count of values, and the tests in a key above the frame");
  command->add_flag("--bold-lines", options->boldLines,
                    "draw the chart's outlines 0.18 mm wide (about 0.5 pt) instead of 0.05 mm, "
                    "as print asks");
  command->callback([options, &status] { status = RunPlotCommand(*options); });
}

}  // namespace qm
