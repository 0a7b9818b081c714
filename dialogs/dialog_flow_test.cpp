// The dialog flow against a fake view: start-up, how the dialog opens, what OK, Options and
// Defaults do, the preview, and a store of choices that answers late or not at all.
#include "dialogs/dialog_flow.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "canvas/trace_canvas.h"
#include "dialogs/dialog_tables.h"
#include "dialogs/success_message.h"
#include "import/limits.h"
#include "testsupport/choice_checks.h"
#include "testsupport/memory_clipboard.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"
#include "testsupport/test_files.h"

namespace qm {
namespace {

constexpr int32_t AnsweringStoreWaitMilliseconds = 20000;

using TraceOutput = testing::CanvasOutput<TraceCanvas>;

using Bytes = std::vector<uint8_t>;

std::vector<uint8_t> ExampleBytes(const char* name) {
  const std::string bytes =
      testing::ReadFile(std::string(QUILLMAP_SOURCE_DIR) + "/examples/" + name);
  EXPECT_FALSE(bytes.empty()) << name;
  return {bytes.begin(), bytes.end()};
}

// A store of the test's own; `gate`, when set, holds every opening until it is released.
struct SharedStore {
  std::mutex mutex;
  std::condition_variable released;
  bool held = false;
  std::map<std::string, int32_t> values;
  int32_t opens = 0;

  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    held = false;
    released.notify_all();
  }
};

class MapStore : public ChoiceStore {
 public:
  explicit MapStore(std::shared_ptr<SharedStore> shared) : shared_(std::move(shared)) {}
  bool Read(const char* name, int32_t& value) const override {
    auto found = shared_->values.find(name);
    if (found == shared_->values.end()) return false;
    value = found->second;
    return true;
  }
  void Write(const char* name, int32_t value) override { shared_->values[name] = value; }
  void Clear() override { shared_->values.clear(); }

 private:
  std::shared_ptr<SharedStore> shared_;
};

ChoiceStoreOpener OpenerOf(const std::shared_ptr<SharedStore>& shared) {
  return [shared]() -> std::unique_ptr<ChoiceStore> {
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->released.wait(lock, [&] { return !shared->held; });
    shared->opens++;
    return std::make_unique<MapStore>(shared);
  };
}

// The view: controls as a record, the Options dialog as the test scripts it.
class FakeView : public DialogView {
 public:
  DialogChoices controls;
  std::function<void(DialogChoices& options)> options;
  testing::RecordingMessages messages;
  TraceOutput chart;
  TraceOutput previewOutput;
  std::string path = "/home/user/Desktop/quilpic.emf";
  std::vector<std::string> previews;  // each ShowPreview's message, "" for a picture
  int32_t previewRequests = 0;
  int32_t closes = 0;
  DialogFlow* flow = nullptr;

  DialogChoices ReadControls() const override { return controls; }
  void SetControls(const DialogChoices& choices) override {
    controls = DialogChoices();
    controls.plotTypeButton = choices.plotTypeButton;
    controls.splitButton = choices.splitButton;
    controls.logFlag = choices.logFlag;
    controls.lineAt01 = choices.lineAt01;
    controls.blueBackground = choices.blueBackground;
    controls.connectingLines = choices.connectingLines;
  }
  void RunOptionsDialog(DialogChoices& chosen) override {
    if (options) options(chosen);
  }
  void PreviewChanged() override {
    previewRequests++;
    flow->DrawPreview();
  }
  PlotOutput& PreviewOutput() override { return previewOutput; }
  void ShowPreview(const std::string& message) override { previews.push_back(message); }
  PlotOutput& ChartOutput() override { return chart; }
  std::string PicturePath() const override { return path; }
  MessageSink& Messages() override { return messages; }
  void CloseDialog() override { closes++; }
};

struct Fixture {
  ProgramStart start;
  FakeView view;
  DialogFlow flow{start.grid(), start.tables(), view};
  std::shared_ptr<SharedStore> store = std::make_shared<SharedStore>();

  explicit Fixture(const char* example = "treatment.wk1") {
    view.flow = &flow;
    MemoryClipboard clipboard(ExampleBytes(example));
    testing::RecordingMessages quiet;
    EXPECT_TRUE(start.ImportClipboard(clipboard, quiet));
  }
  // A store that answers is given far longer than the program gives it, so that a loaded test
  // machine does not make it late.
  void UseStore(int32_t waitMilliseconds = AnsweringStoreWaitMilliseconds) {
    flow.UseChoiceStore(OpenerOf(store), waitMilliseconds);
  }
};

using testing::ExpectSameChoices;

TEST(ProgramStart, WithoutARangeSaysNoDataInTheFrameworksBox) {
  ProgramStart start;
  MemoryClipboard empty;
  testing::RecordingMessages messages;
  EXPECT_FALSE(start.ImportClipboard(empty, messages));
  EXPECT_NE(start.importCode(), 0);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"framework: No data on Clipboard\n"});

  MemoryClipboard treatment(ExampleBytes("treatment.wk1"));
  messages.Clear();
  EXPECT_TRUE(start.ImportClipboard(treatment, messages));
  EXPECT_EQ(start.importCode(), 0);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_GT(start.grid().RowCount, 2);
}

// Any failure of the import: the reader's own message, if any, then "No data on Clipboard\n";
// data too large say why on a second line of the reader's box where the program has no console.
TEST(ProgramStart, AFailedImportShowsTheReadersMessageThenNoData) {
  const std::string tooLarge = "own: Problem getting memory handle\n" +
                               ClipboardDataProblemText(ClipboardDataProblem::TooLarge);
  std::u16string large(MaxInputBytes / 2 + 1, u'\u00e9');
  large[0] = u'\t';
  struct Case {
    const char* name;
    MemoryClipboard clipboard;
    DataProblemReport report;
    int32_t code;
    std::vector<std::string> shown;
  } cases[] = {
      {"version 1029",
       MemoryClipboard(Bytes{0, 0, 2, 0, 0x05, 0x04, 1, 0, 0, 0}),
       DataProblemReport::StandardError,
       208,
       {"own: Error 2 reading wk1-data"}},
      {"empty body",
       MemoryClipboard(Bytes{9, 0, 0, 0, 1, 0, 0, 0}),
       DataProblemReport::StandardError,
       108,
       {"own: Error 1 reading wk1-data"}},
      {"past the end",
       MemoryClipboard(Bytes{0, 0, 200, 0, 0x04, 0x04}),
       DataProblemReport::StandardError,
       -92,
       {"own: Error -1 reading wk1-data"}},
      {"one byte",
       MemoryClipboard(Bytes{7}),
       DataProblemReport::StandardError,
       5,
       {"own: empty clipboard?? len=1 "}},
      {"a lone word",
       MemoryClipboard(std::u16string(u"Concentration")),
       DataProblemReport::StandardError,
       3,
       {}},
      {"text too large, told on standard error",
       MemoryClipboard(std::u16string(large)),
       DataProblemReport::StandardError,
       4,
       {"own: Problem getting memory handle"}},
      {"text too large, told in the box",
       MemoryClipboard(std::move(large)),
       DataProblemReport::ImportBox,
       4,
       {tooLarge}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramStart start(c.report);
    testing::RecordingMessages messages;
    EXPECT_FALSE(start.ImportClipboard(c.clipboard, messages));
    EXPECT_EQ(start.importCode(), c.code);
    c.shown.push_back("framework: No data on Clipboard\n");
    EXPECT_EQ(messages.shown, c.shown);
  }
}

// What the import left out reaches the success box, after the file's path: a text among numbers
// (noted by the decode) and a number that reads either way (noted by the text's conversion).
TEST(ProgramStart, TheImportsNotesFollowThePathInTheSuccessBox) {
  struct Case {
    const char16_t* text;
    const char* noted;
  } cases[] = {
      {u"Dose\tControl\nmg\tmg\n1\t2\nn/a\t3\n4\t5\n", "n/a"},
      {u"Dose\tControl\nmg\tmg\n1\t2\n1,234\t3\n4\t5\n", "1,234"},
  };
  for (const Case& c : cases) {
    ProgramStart start;
    MemoryClipboard clipboard{std::u16string(c.text)};
    testing::RecordingMessages quiet;
    ASSERT_TRUE(start.ImportClipboard(clipboard, quiet));
    FakeView view;
    DialogFlow flow(start.grid(), start.tables(), view);
    view.flow = &flow;
    flow.SetImportNotes(start.notes());
    flow.OnOpen();
    flow.OnOk();
    ASSERT_EQ(view.messages.shown.size(), 1u);
    const std::string head = std::string("own: ") + PublishedMessage + "\n" + view.path + "\n";
    EXPECT_EQ(view.messages.shown[0].substr(0, head.size()), head);
    EXPECT_NE(view.messages.shown[0].find(c.noted, head.size()), std::string::npos)
        << view.messages.shown[0];
  }
}

// The dialog opens on the first start's choices, or on the remembered ones; a store that does
// not answer in time gives the first start's.
TEST(DialogFlow, OpensOnTtestAndNoneOrOnTheRememberedChoices) {
  const DialogChoices remembered{1001, 1015, true, false, true, false, 1103, true};
  struct Case {
    const char* name;
    bool withStore;
    bool storeHeld;
    bool storeHolds;
    DialogChoices expected;
  } cases[] = {
      {"no store", false, false, false, DefaultChoices()},
      {"an empty store", true, false, false, DefaultChoices()},
      {"a store with choices", true, false, true, remembered},
      {"a store that hangs", true, true, true, DefaultChoices()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    if (c.storeHolds) {
      MapStore store(f.store);
      SaveChoices(remembered, store);
    }
    f.store->held = c.storeHeld;
    // Only a store that hangs is waited for briefly: one that answers gets the whole wait.
    if (c.withStore) f.UseStore(c.storeHeld ? 50 : AnsweringStoreWaitMilliseconds);
    f.view.controls = {1001, 1016, true, true, true, true, 0, false};  // before the flow sets them
    f.flow.OnOpen();
    ExpectSameChoices(f.flow.CaptureChoices(), c.expected);
    EXPECT_EQ(f.flow.storeLate(), c.storeHeld);
    EXPECT_EQ(f.view.previews, std::vector<std::string>{""});  // the chart, drawn once
    EXPECT_TRUE(f.view.messages.texts.empty());
    f.store->Release();
  }
}

// OK: the run's three ends, and what is kept of the choices.
TEST(DialogFlow, OkPublishesOrKeepsTheDialogOpenOrClosesWithoutAChart) {
  const std::vector<std::string> published = {std::string("own: ") + PublishedMessage +
                                              "\n/home/user/Desktop/quilpic.emf"};
  const std::vector<std::string> noSplit = {"framework: No SPLIT-column found\n"};
  const std::vector<std::string> noMetafile = {"own: Problem creating Metafile\nno Desktop"};
  struct Case {
    const char* name;
    const char* example;
    int32_t splitButton;
    bool failOpen;
    std::vector<std::string> shown;
    int32_t closes;
    bool saved;
    int32_t opens;
  } cases[] = {
      {"published", "treatment.wk1", 1015, false, published, 1, true, 1},
      {"split", "split.wk1", 1017, false, published, 1, true, 1},
      {"no split column", "treatment.wk1", 1016, false, noSplit, 1, false, 0},
      {"no metafile", "treatment.wk1", 1015, true, noMetafile, 0, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f(c.example);
    f.UseStore();
    f.flow.OnOpen();
    f.view.controls.splitButton = c.splitButton;
    f.view.controls.blueBackground = true;
    f.view.chart.failOpen = c.failOpen;
    f.view.chart.failureReason = "no Desktop";
    f.flow.OnOk();
    EXPECT_EQ(f.view.messages.shown, c.shown);
    EXPECT_EQ(f.view.closes, c.closes);
    EXPECT_EQ(f.store->values.count("blueBackground") == 1, c.saved);
    EXPECT_EQ(f.view.chart.opens, c.opens);
    EXPECT_FALSE(f.flow.runInProgress());
  }
}

// A dialog left open by a failed metafile runs the whole plot again on the next OK.
TEST(DialogFlow, OkAfterAFailedMetafileRunsAgain) {
  Fixture f;
  f.flow.OnOpen();
  f.view.chart.failClose = true;
  f.flow.OnOk();
  f.view.chart.failClose = false;
  f.flow.OnOk();
  EXPECT_EQ(f.view.chart.opens, 2);
  EXPECT_EQ(f.view.messages.texts,
            (std::vector<std::string>{"Problem creating Metafile",
                                      PublishedMessage + std::string("\n") + f.view.path}));
  EXPECT_EQ(f.view.closes, 1);
}

// Boxes that press OK again while they are shown, as a posted second OK reaches the dialog
// through a box's message loop.
class PressingOkBoxes : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override {
    texts.push_back(text);
    flow->OnOk();
  }
  void ShowFrameworkBox(const std::string& text) override { ShowOwnBox(text); }
  DialogFlow* flow = nullptr;
  std::vector<std::string> texts;
};

class PressingView : public FakeView {
 public:
  PressingOkBoxes boxes;
  MessageSink& Messages() override { return boxes; }
};

// An OK while a run is in progress does nothing: one run, one box, one close.
TEST(DialogFlow, ASecondOkDuringARunDoesNothing) {
  struct Case {
    const char* name;
    const char* example;
    int32_t splitButton;
    bool failOpen;
    int32_t closes;
  } cases[] = {
      {"under the success box", "treatment.wk1", 1015, false, 1},
      {"under the failure box", "treatment.wk1", 1015, true, 0},
      {"under the no-split box", "treatment.wk1", 1016, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f(c.example);
    PressingView view;
    DialogFlow flow(f.start.grid(), f.start.tables(), view);
    view.flow = &flow;
    view.boxes.flow = &flow;
    flow.OnOpen();
    view.controls.splitButton = c.splitButton;
    view.chart.failOpen = c.failOpen;
    flow.OnOk();
    EXPECT_EQ(view.chart.opens, c.splitButton == 1016 ? 0 : 1);
    EXPECT_EQ(view.boxes.texts.size(), 1u);
    EXPECT_EQ(view.closes, c.closes);
    EXPECT_FALSE(flow.runInProgress());
    flow.OnOk();  // the run over, OK works again
    EXPECT_EQ(view.boxes.texts.size(), 2u);
  }
}

// Options: the style is -1 from the moment the dialog opens, which shows its check boxes as they
// were; its OK gives the checked style and each box to its own setting, Cancel leaves -1 and the
// boxes as they were.
TEST(DialogFlow, OptionsSetTheStyleAndBoxesOnOkAndLeaveMinusOneOnCancel) {
  struct Case {
    const char* name;
    bool ok;
    bool mark, bold, tests;  // the boxes as OK leaves them
    int32_t expectedStyle;
    SummaryMark expectedMarkDrawn;
    int32_t expectedMarkLimits, expectedBold, expectedTests;
  } cases[] = {
      {"ok on SD, mark limits", true, true, false, false, 1105, SummaryMark::Sd, 1, 0, 0},
      {"ok on SD, bold lines", true, false, true, false, 1105, SummaryMark::Sd, 0, 1, 0},
      {"ok on SD, show tests", true, false, false, true, 1105, SummaryMark::Sd, 0, 0, 1},
      {"cancel keeps the boxes", false, false, false, false, ErrorBarCancelled, SummaryMark::None,
       0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.flow.OnOpen();
    DialogChoices before = f.flow.CaptureChoices();
    before.boldLines = true;  // as a remembered choice would open it
    f.flow.ApplyChoices(before);
    DialogChoices seenOnOpening;
    f.view.options = [&](DialogChoices& options) {
      seenOnOpening = options;
      if (!c.ok) return;
      options.errorBarStyle = 1105;
      options.markLimitValues = c.mark;
      options.boldLines = c.bold;
      options.showTests = c.tests;
    };
    const int32_t requests = f.view.previewRequests;
    f.flow.OnOptions();
    EXPECT_EQ(seenOnOpening.errorBarStyle, ErrorBarCancelled);
    EXPECT_TRUE(seenOnOpening.boldLines);
    const DialogChoices choices = f.flow.CaptureChoices();
    EXPECT_EQ(choices.errorBarStyle, c.expectedStyle);
    const PlotSettings settings = SettingsFromChoices(choices);
    EXPECT_EQ(settings.Mark, c.expectedMarkDrawn);
    EXPECT_EQ(settings.MarkLimitValues, c.expectedMarkLimits);
    EXPECT_EQ(settings.BoldLines, c.expectedBold);
    EXPECT_EQ(settings.ShowTests, c.expectedTests);
    EXPECT_EQ(f.view.previewRequests, requests + 1);  // even a cancelled dialog changes the style
  }
}

// Defaults sets the controls to the first start's choices; the store changes only when a chart
// is drawn, so a cancelled dialog keeps the remembered choices.
TEST(DialogFlow, DefaultsSetTheControlsAndForgetNothingUntilOk) {
  const DialogChoices remembered{1001, 1017, true, false, true, false, 1103, true};
  for (bool thenOk : {false, true}) {
    SCOPED_TRACE(thenOk ? "then OK" : "then Cancel");
    Fixture f;
    {
      MapStore store(f.store);
      SaveChoices(remembered, store);
    }
    f.UseStore();
    f.flow.OnOpen();
    f.flow.OnDefaults();
    ExpectSameChoices(f.flow.CaptureChoices(), DefaultChoices());
    ExpectSameChoices(f.view.controls, DefaultChoices());
    MapStore store(f.store);
    ExpectSameChoices(LoadChoices(store), remembered);
    if (thenOk) {
      f.flow.OnOk();
      ExpectSameChoices(LoadChoices(store), DefaultChoices());
    }
  }
}

// The preview runs the plot as OK would, into its own output: a run's message goes to the pane,
// not into a box, and neither the desktop file nor the dialog is touched.
TEST(DialogFlow, PreviewFollowsTheChoicesAndShowsTheRunsMessage) {
  Fixture f;
  f.flow.OnOpen();
  ASSERT_EQ(f.view.previews, std::vector<std::string>{""});
  const std::string first = f.view.previewOutput.canvas->trace();

  f.view.controls.blueBackground = true;
  f.flow.OnChoiceChanged();
  EXPECT_EQ(f.view.previews.back(), "");
  EXPECT_NE(f.view.previewOutput.canvas->trace(), first);

  f.view.controls.splitButton = 1016;  // paired, but treatment.wk1 has no split column
  f.flow.OnChoiceChanged();
  EXPECT_EQ(f.view.previews.back(), "No SPLIT-column found");

  f.view.controls.splitButton = 1015;
  f.flow.OnChoiceChanged();
  EXPECT_EQ(f.view.previews.back(), "");
  EXPECT_EQ(f.view.previews.size(), 4u);
  EXPECT_TRUE(f.view.messages.texts.empty());
  EXPECT_EQ(f.view.chart.opens, 0);
  EXPECT_EQ(f.view.closes, 0);
}

// A store that does not answer is given up after the wait: the chart is still published, the
// success box says the choices were not kept, and a store late once is not waited for again.
TEST(DialogFlow, AStoreThatHangsIsSkippedWithALineInTheSuccessBox) {
  struct Case {
    const char* name;
    bool heldFromOpening;
  } cases[] = {{"hangs on save", false}, {"hangs from the start", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.UseStore(50);
    f.store->held = c.heldFromOpening;
    f.flow.OnOpen();
    f.store->held = true;
    f.flow.OnOk();
    EXPECT_EQ(f.view.messages.texts,
              std::vector<std::string>{std::string(PublishedMessage) + "\n" + f.view.path + "\n" +
                                       ChoicesNotKeptNote});
    EXPECT_EQ(f.view.closes, 1);
    EXPECT_TRUE(f.flow.storeLate());
    f.store->Release();
  }
}

}  // namespace
}  // namespace qm
