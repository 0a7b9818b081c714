// The main dialog: its defaults, the settings OK captures, the Options and About dialogs,
// and the three ways a plot run ends.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <functional>

#include "app/dialog_builder.h"
#include "app/options_dialog.h"
#include "app/preview_pane.h"
#include "app/test_support.h"
#include "canvas/trace_canvas.h"
#include "dialogs/success_message.h"
#include "import/decode_wk1.h"
#include "quillmap_version.h"
#include "testsupport/choice_checks.h"
#include "testsupport/plot_outputs.h"

namespace qm {
namespace {

// Records the outcome the run sees: no canvas (the folder is missing) or a trace.
using FakeOutput = testing::CanvasOutput<TraceCanvas>;

// A main dialog whose modal dialogs are driven by the test.
class TestDialog : public MainDialog {
 public:
  using MainDialog::MainDialog;
  std::function<void(QDialog&)> onModal;
  std::vector<QString> modalTitles;

 protected:
  void RunModal(QDialog& dialog) override {
    modalTitles.push_back(dialog.windowTitle());
    if (onModal) onModal(dialog);
  }
};

struct Fixture {
  std::unique_ptr<WorksheetGrid> grid = std::make_unique<WorksheetGrid>();
  std::unique_ptr<PlotTables> tables = std::make_unique<PlotTables>();
  RecordingMessageSink messages;
  FakeOutput output;
  std::unique_ptr<TestDialog> dialog;

  explicit Fixture(const char* example = "examples/treatment.wk1") {
    ClearGrid(*grid);
    std::vector<uint8_t> bytes = ReadSourceFile(example);
    EXPECT_FALSE(bytes.empty()) << example;
    EXPECT_EQ(DecodeWk1(*grid, bytes.data(), bytes.size()), Wk1DecodeStatus::Ok);
    dialog = std::make_unique<TestDialog>(*grid, *tables, messages, output, QIcon());
  }
  void Click(int32_t id) { FindButton(*dialog, id)->click(); }
};

// The table's controls, the disabled ones disabled; which are checked is the flow's.
TEST(MainDialog, BuildsItsTableAndOwnsTheBoxes) {
  Fixture f;
  EXPECT_EQ(f.dialog->windowTitle(), "Quillmap");
  for (int32_t id : {1002, 1003, 1004, 1005, 1006, 1010, 1011, 1012}) {
    EXPECT_FALSE(FindControl(*f.dialog, id)->isEnabled()) << id;
  }
  EXPECT_EQ(f.messages.owner(), f.dialog.get());
}

TEST(MainDialog, CapturesTheChoicesOfItsControls) {
  struct Case {
    std::vector<int32_t> clicks;
    DialogChoices expected;
  } cases[] = {
      {{}, {1000, 1015, false, false, false, false, 0}},
      {{1001, 1016}, {1001, 1016, false, false, false, false, 0}},
      {{1017, 1007}, {1000, 1017, true, false, false, false, 0}},
      {{1008}, {1000, 1015, false, true, false, false, 0}},
      {{1009}, {1000, 1015, false, false, true, false, 0}},
      {{1013}, {1000, 1015, false, false, false, true, 0}},
      {{1007, 1008, 1009, 1013, 1007}, {1000, 1015, false, true, true, true, 0}},
  };
  for (const Case& c : cases) {
    Fixture f;
    for (int32_t id : c.clicks) f.Click(id);
    testing::ExpectSameChoices(f.dialog->CaptureChoices(), c.expected);
  }
}

TEST(MainDialog, DisabledPlotTypesStayUncheckedAndGiveNoPlotType) {
  Fixture f;
  f.Click(1002);  // disabled: a click does nothing
  EXPECT_EQ(f.dialog->CaptureChoices().plotTypeButton, 1000);
  CheckRadioButton(*f.dialog, 1000, 1006, 1004);  // outside 1000..1003
  EXPECT_EQ(f.dialog->CaptureChoices().plotTypeButton, 0);
  EXPECT_EQ(f.dialog->CaptureSettings().Chart, ChartKind::Placeholder);
}

// Options: -1 from the moment it opens, "No Error Bar" checked when it opens, the checked
// style on OK, -1 after Cancel.
TEST(MainDialog, OptionsCancelAfterAnEarlierChoiceLeavesMinusOne) {
  Fixture f;
  f.dialog->onModal = [](QDialog& options) {
    FindButton(options, 1103)->click();
    FindButton(options, OkButton)->click();
  };
  f.Click(OptionsButton);
  EXPECT_EQ(f.dialog->CaptureChoices().errorBarStyle, 1103);
  EXPECT_EQ(f.dialog->CaptureSettings().Mark, SummaryMark::Sem);

  int32_t seenOnOpening = 0;
  int32_t checkedOnOpening = 0;
  f.dialog->onModal = [&](QDialog& options) {
    seenOnOpening = f.dialog->CaptureChoices().errorBarStyle;
    checkedOnOpening = GetCheckedRadioButton(options, 1100, 1107);
    FindButton(options, 1106)->click();
    FindButton(options, CancelButton)->click();
  };
  f.Click(OptionsButton);
  EXPECT_EQ(seenOnOpening, -1);
  EXPECT_EQ(checkedOnOpening, 1100);  // never the previous choice
  EXPECT_EQ(f.dialog->CaptureChoices().errorBarStyle, -1);
  EXPECT_EQ(f.dialog->CaptureChoices().errorBarStyle, -1);
  EXPECT_EQ(f.dialog->CaptureSettings().Mark, SummaryMark::None);
  EXPECT_EQ(f.dialog->modalTitles, (std::vector<QString>{"Options", "Options"}));
}

TEST(MainDialog, OptionsOkWithoutAChangeGivesNoErrorBar) {
  Fixture f;
  f.dialog->onModal = [](QDialog& options) { FindButton(options, OkButton)->click(); };
  f.Click(OptionsButton);
  EXPECT_EQ(f.dialog->CaptureChoices().errorBarStyle, 1100);
}

TEST(MainDialog, OptionsClosedWithoutAButtonLeavesMinusOne) {
  Fixture f;
  f.dialog->onModal = [](QDialog& options) { options.reject(); };  // Escape, close box
  f.Click(OptionsButton);
  EXPECT_EQ(f.dialog->CaptureChoices().errorBarStyle, -1);
}

TEST(OptionsDialog, EachButtonGivesItsOwnStyle) {
  for (int32_t id = 1100; id <= 1107; id++) {
    int32_t style = 0;
    OptionsDialog options(style, nullptr);
    EXPECT_EQ(style, -1);
    FindButton(options, id)->click();
    FindButton(options, OkButton)->click();
    EXPECT_EQ(style, id);
    EXPECT_EQ(options.result(), QDialog::Accepted);
  }
}

// Each check box of the Options dialog, as the table builds it, sets its own field only.
TEST(OptionsDialog, EachCheckBoxGivesItsOwnChoice) {
  const struct {
    int32_t id;
    bool DialogChoices::*field;
  } boxes[] = {{MarkLimitValuesBox, &DialogChoices::markLimitValues},
               {BoldLinesBox, &DialogChoices::boldLines},
               {ShowTestsBox, &DialogChoices::showTests}};
  for (const auto& box : boxes) {
    SCOPED_TRACE(box.id);
    int32_t style = 0;
    OptionsDialog options(style, nullptr);
    options.SetCheckBoxes(DialogChoices());
    FindButton(options, box.id)->click();
    DialogChoices read;
    options.ReadCheckBoxes(read);
    for (const auto& other : boxes) EXPECT_EQ(read.*other.field, other.id == box.id);
  }
}

TEST(MainDialog, AboutEntryOfTheMenuOpensTheAboutBox) {
  Fixture f;
  std::unique_ptr<QMenu> menu = f.dialog->MakeMenu();
  ASSERT_EQ(menu->actions().size(), 1);
  QAction* about = menu->actions()[0];
  EXPECT_EQ(about->text(), "&About Quillmap...");
  EXPECT_EQ(about->data().toInt(), AboutCommand);
  QString version;
  QString release;
  f.dialog->onModal = [&](QDialog& box) {
    version = box.findChildren<QLabel*>()[1]->text();
    release = box.findChildren<QLabel*>()[2]->text();
  };
  f.dialog->OnSysCommand(about->data().toInt());
  EXPECT_EQ(f.dialog->modalTitles, std::vector<QString>{"About Quillmap"});
  EXPECT_EQ(version, "Quillmap Version 1.0");
  EXPECT_EQ(release, "Release " QUILLMAP_VERSION);  // the version --version prints
  f.dialog->OnSysCommand(0xF060);                   // another command: not the About box
  f.dialog->OnSysCommand(AboutCommand | 0x3);       // the low four bits are the system's
  EXPECT_EQ(f.dialog->modalTitles.size(), 2u);
}

TEST(MainDialog, MissingFolderKeepsTheDialogOpenAndOkRunsAgain) {
  Fixture f;
  f.Click(1001);
  f.Click(1009);
  f.output.failOpen = true;
  f.output.failureReason = "cannot create /no/Desktop/quilpic.emf: No such file or directory";
  f.dialog->show();
  f.Click(OkButton);
  ASSERT_EQ(f.messages.boxes.size(), 1u);
  EXPECT_EQ(f.messages.boxes[0].text,
            "Problem creating Metafile\n"
            "cannot create /no/Desktop/quilpic.emf: No such file or directory");
  EXPECT_EQ(f.messages.boxes[0].caption, "Quillmap 0001");
  EXPECT_EQ(f.messages.boxes[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(f.messages.boxes[0].owner, f.dialog.get());
  EXPECT_TRUE(f.dialog->isVisible());
  EXPECT_EQ(GetCheckedRadioButton(*f.dialog, 1000, 1003), 1001);  // the choices stay
  EXPECT_TRUE(IsDlgButtonChecked(*f.dialog, 1009));

  f.output.failOpen = false;
  f.Click(OkButton);
  EXPECT_EQ(f.output.opens, 2);
  EXPECT_EQ(f.output.closes, 1);
  ASSERT_EQ(f.messages.boxes.size(), 2u);
  EXPECT_EQ(f.messages.boxes[1].text, "Quillmap.emf on clipboard: use Edit/Paste or CTRL-V");
  EXPECT_EQ(f.messages.boxes[1].caption, "Quillmap 0001");
  EXPECT_EQ(f.messages.boxes[1].owner, f.dialog.get());
  EXPECT_FALSE(f.dialog->isVisible());
  EXPECT_EQ(f.dialog->result(), QDialog::Accepted);
  // The box plot with the blue background was drawn.
  EXPECT_NE(f.output.canvas->trace().find("0x780000"), std::string::npos);
}

TEST(MainDialog, FailedFileWriteKeepsTheDialogOpen) {
  Fixture f;
  f.output.failClose = true;
  f.dialog->show();
  f.Click(OkButton);
  EXPECT_EQ(f.messages.texts(), std::vector<std::string>{"Problem creating Metafile"});
  EXPECT_TRUE(f.dialog->isVisible());
}

TEST(MainDialog, SplitColumnRunsThrough) {
  Fixture f("examples/split.wk1");
  f.Click(1017);
  f.Click(OkButton);
  EXPECT_EQ(f.output.closes, 1);
  EXPECT_EQ(f.messages.texts().back(), PublishedMessage);
}

// What the import and the chart left out follows the success message, a line each.
TEST(MainDialog, SuccessBoxTellsWhatWasLeftOut) {
  Fixture f("examples/split.wk1");  // values at or below 0
  ImportNotes notes;
  notes.rangeColumns = 30;
  f.dialog->flow().SetImportNotes(notes);
  f.Click(1007);  // a logarithmic axis
  f.Click(OkButton);
  EXPECT_EQ(f.messages.texts(),
            std::vector<std::string>{
                std::string(PublishedMessage) +
                "\nThe range has cells in 30 columns: only the first 25 were read"
                "\nNo logarithmic axis: some values are 0 or below, so the axis is linear"});
}

TEST(MainDialog, CancelDrawsNothing) {
  Fixture f;
  f.dialog->show();
  f.Click(CancelButton);
  EXPECT_EQ(f.output.opens, 0);
  EXPECT_EQ(f.dialog->result(), QDialog::Rejected);
  EXPECT_TRUE(f.messages.boxes.empty());
}

// The pane shows the preview run's picture at its own size, or the run's message in its place.
TEST(MainDialog, PreviewPaneShowsThePictureOrTheRunsMessage) {
  Fixture f;
  PreviewPane& pane = f.dialog->preview();
  f.dialog->UpdatePreview();
  const QImage first = pane.picture();
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(first.size(), pane.PictureSize());
  EXPECT_TRUE(pane.message().isEmpty());

  f.Click(1016);  // paired, but treatment.wk1 has no split column
  f.dialog->UpdatePreview();
  EXPECT_TRUE(pane.picture().isNull());
  EXPECT_EQ(pane.message(), "No SPLIT-column found");
  EXPECT_EQ(f.output.opens, 0);
}

}  // namespace
}  // namespace qm
