// The start-up import and the main dialog's behaviour over a front end's view.
#include "dialogs/dialog_flow.h"

#include <cstdio>

#include "dialogs/success_message.h"
#include "import/import_worksheet.h"
#include "plot/run_notes.h"

namespace qm {

namespace {

// The preview's messages are kept for its pane, not shown in boxes.
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

// Clears a flag when the scope ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ProgramStart::ProgramStart(DataProblemReport report)
    : grid_(std::make_unique<WorksheetGrid>()),
      tables_(std::make_unique<PlotTables>()),
      report_(report) {
  ClearGrid(*grid_);
}

ProgramStart::~ProgramStart() = default;

bool ProgramStart::ImportClipboard(WorksheetClipboard& clipboard, MessageSink& messages,
                                   DecimalMark localeMark) {
  const ImportResult result = ImportWorksheet(*grid_, clipboard, localeMark);
  const std::string problem = ClipboardDataProblemText(result.dataProblem);
  if (!problem.empty() && report_ == DataProblemReport::ImportBox) {
    messages.ShowOwnBox(ImportMessage(result) + "\n" + problem);
  } else {
    if (!problem.empty()) std::fprintf(stderr, "quillmap: %s\n", problem.c_str());
    ShowImportMessages(result, messages);
  }
  importCode_ = result.Code();
  notes_ = result.notes;
  if (result.ok()) return true;
  messages.ShowFrameworkBox(NoDataMessage);
  return false;
}

DialogFlow::DialogFlow(const WorksheetGrid& grid, PlotTables& tables, DialogView& view)
    : grid_(grid), tables_(tables), view_(view) {}

void DialogFlow::UseChoiceStore(ChoiceStoreOpener opener, int32_t waitMilliseconds) {
  openStore_ = std::move(opener);
  storeWaitMilliseconds_ = waitMilliseconds;
}

void DialogFlow::OnOpen() {
  DialogChoices choices = DefaultChoices();
  if (openStore_ && !LoadChoicesWithin(openStore_, storeWaitMilliseconds_, choices)) {
    storeLate_ = true;
  }
  ApplyChoices(choices);
}

DialogChoices DialogFlow::CaptureChoices() const {
  DialogChoices choices = view_.ReadControls();
  choices.errorBarStyle = options_.errorBarStyle;
  for (const ChoiceFlagBox& box : OptionsDialogFlagBoxes) choices.*box.flag = options_.*box.flag;
  return choices;
}

void DialogFlow::ApplyChoices(const DialogChoices& choices) {
  options_ = choices;
  view_.SetControls(choices);
  view_.PreviewChanged();
}

void DialogFlow::OnOk() {
  if (runInProgress_) return;
  FlagScope running(runInProgress_);
  const DialogChoices choices = CaptureChoices();
  RunNotes notes{importNotes_, {}};
  switch (RunPlot(SettingsFromChoices(choices), grid_, tables_, view_.Messages(),
                  view_.ChartOutput(), &notes)) {
    case PlotOutcome::NoSplitColumn:
      view_.CloseDialog();
      break;
    case PlotOutcome::MetafileFailure:
      break;  // the choices stay for another OK
    case PlotOutcome::Published: {
      std::string text = SuccessMessage(view_.PicturePath(), notes, grid_);
      // A store that was late once is not waited for again.
      if (openStore_ &&
          (storeLate_ || !SaveChoicesWithin(openStore_, storeWaitMilliseconds_, choices))) {
        storeLate_ = true;
        text += std::string("\n") + ChoicesNotKeptNote;
      }
      view_.Messages().ShowOwnBox(text);
      view_.CloseDialog();
      break;
    }
  }
}

void DialogFlow::OnOptions() {
  options_.errorBarStyle = ErrorBarCancelled;
  view_.RunOptionsDialog(options_);
  view_.PreviewChanged();  // even a cancelled dialog leaves the style at -1
}

void DialogFlow::OnDefaults() {
  ApplyChoices(DefaultChoices());
}

void DialogFlow::DrawPreview() {
  KeepingSink messages;
  const PlotOutcome outcome = RunPlot(SettingsFromChoices(CaptureChoices()), grid_, tables_,
                                      messages, view_.PreviewOutput());
  view_.ShowPreview(outcome == PlotOutcome::Published ? std::string() : messages.text());
}

}  // namespace qm
