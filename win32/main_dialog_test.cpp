// The Windows main dialog: its defaults, the Options dialog's error-bar style and check box, the
// About box from the system menu, what OK leads to (published; folder missing; disk full; no
// split column), the choices kept in the registry, and the preview.
#include "win32/main_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/success_message.h"
#include "testsupport/choice_checks.h"
#include "testsupport/memory_clipboard.h"
#include "win32/core_calls.h"
#include "win32/desktop_folder.h"
#include "win32/dialog_controls.h"
#include "win32/registry_choice_store.h"
#include "win32/test_support.h"

namespace qm {
namespace {

// Runs the dialogs of the main dialog modeless and lets the test press their buttons.
class ScriptedMainDialog : public MainDialog {
 public:
  using MainDialog::MainDialog;
  std::function<void(HWND)> childScript;
  std::vector<std::string> childCaptions;

 protected:
  void RunChild(DialogWindow& child, const DialogTable& table) override {
    childCaptions.push_back(table.caption);
    HWND window = child.CreateModeless(hwnd(), table, DialogRole::Child);
    ASSERT_NE(window, nullptr);
    if (childScript) childScript(window);
  }
};

void Press(HWND dialog, int32_t id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool FailingWriter(const std::string& path, const void*, size_t, std::string& error) {
  error = "cannot write " + path + ": There is not enough space on the disk";
  return false;
}

class MainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid_ = std::make_unique<WorksheetGrid>();
    tables_ = std::make_unique<PlotTables>();
    ClearGrid(*grid_);
    MemoryClipboard clipboard(ExampleBytes(example_));
    ASSERT_TRUE(ImportClipboard(*grid_, clipboard, boxes_));
    desktop_ = NewTemporaryFolder("desktop");
  }
  void TearDown() override { RemoveFolder(desktop_); }

  // A dialog writing into `folder`, open and ready.
  std::unique_ptr<ScriptedMainDialog> Open(Win32DesktopOutput& output) {
    auto dialog =
        std::make_unique<ScriptedMainDialog>(*grid_, *tables_, boxes_, output, DialogIcons{});
    EXPECT_NE(dialog->CreateModeless(nullptr, MainDialogTable(), DialogRole::Main), nullptr);
    return dialog;
  }

  std::string example_ = "treatment.wk1";
  std::unique_ptr<WorksheetGrid> grid_;
  std::unique_ptr<PlotTables> tables_;
  RecordingBoxes boxes_;
  std::string desktop_;
};

// The table's disabled controls stay disabled; a click is seen by the next capture.
TEST_F(MainDialogTest, ClicksAreSeenByTheCapture) {
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  for (int32_t id : {1002, 1003, 1004, 1005, 1006, 1010, 1011, 1012}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog->hwnd(), id))) << id;
  }
  // Clicking a box is seen by the next capture.
  Press(dialog->hwnd(), 1001);
  SendDlgItemMessageW(dialog->hwnd(), LogFlagBox, BM_CLICK, 0, 0);
  SendDlgItemMessageW(dialog->hwnd(), 1017, BM_CLICK, 0, 0);
  const DialogChoices changed = dialog->CaptureChoices();
  EXPECT_TRUE(changed.logFlag);
  EXPECT_EQ(changed.splitButton, 1017);
}

TEST_F(MainDialogTest, OptionsSetTheErrorBarStyleAndMarkLimitValues) {
  struct Visit {
    int32_t check;  // the button checked before the dialog ends; 0 for none
    bool mark;      // "Mark limit values" as the visit leaves it
    int32_t press;  // OK or Cancel
    int32_t style;  // the error-bar style after the visit
    bool marked;    // and the dialog's choice of marking limit values
  };
  const Visit visits[] = {
      {0, false, OkButton, 1100, false},      // OK without a change: "No Error Bar"
      {1103, true, OkButton, 1103, true},     // "SEM", marked
      {0, false, CancelButton, -1, true},     // Cancel forgets the style, keeps the mark
      {1107, true, OkButton, 1107, true},     // "BoxPlot"; the box opened checked
      {1105, false, OkButton, 1105, false},   // "SD", cleared
      {1105, true, CancelButton, -1, false},  // a choice cancelled is no choice
  };
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  bool marked = false;
  for (const Visit& visit : visits) {
    int32_t openedOn = 0;
    bool openedMarked = false;
    dialog->childScript = [&](HWND options) {
      openedOn = GetCheckedRadioButton(options, FirstErrorBarButton, LastErrorBarButton);
      openedMarked = IsDlgButtonChecked(options, MarkLimitValuesBox) == BST_CHECKED;
      if (visit.check != 0) CheckRadioButton(options, 1100, 1107, visit.check);
      CheckDlgButton(options, MarkLimitValuesBox, visit.mark ? BST_CHECKED : BST_UNCHECKED);
      Press(options, visit.press);
    };
    dialog->flow().OnOptions();
    EXPECT_EQ(openedOn, FirstErrorBarButton) << "opens on \"No Error Bar\" every time";
    EXPECT_EQ(openedMarked, marked) << "opens with the box as chosen before";
    EXPECT_EQ(dialog->CaptureChoices().errorBarStyle, visit.style);
    EXPECT_EQ(dialog->CaptureChoices().markLimitValues, visit.marked);
    marked = visit.marked;
  }
  EXPECT_FALSE(dialog->ended());
}

TEST_F(MainDialogTest, TheSystemMenuOpensTheAboutBox) {
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  HMENU menu = GetSystemMenu(dialog->hwnd(), FALSE);
  wchar_t text[64] = {};
  GetMenuStringW(menu, AboutCommand, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"&About Quillmap...");

  dialog->childScript = [](HWND about) { Press(about, OkButton); };
  EXPECT_TRUE(dialog->OnSysCommand(AboutCommand));
  EXPECT_TRUE(dialog->OnSysCommand(AboutCommand | 0x5));  // the low four bits do not count
  EXPECT_FALSE(dialog->OnSysCommand(SC_MOVE));            // the system's own
  EXPECT_EQ(dialog->childCaptions, (std::vector<std::string>{"About Quillmap", "About Quillmap"}));
}

TEST_F(MainDialogTest, OkWritesTheFileAndPublishesTheSameBytes) {
  EmptyTheClipboard();
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  CheckRadioButton(dialog->hwnd(), FirstPlotTypeButton, LastPlotTypeButton, 1001);
  Press(dialog->hwnd(), OkButton);

  // The file's path on the second line.
  EXPECT_EQ(boxes_.texts, (std::vector<std::string>{"own: " + std::string(PublishedMessage) + "\n" +
                                                    MetafilePathIn(desktop_)}));
  EXPECT_TRUE(dialog->ended());
  const std::vector<uint8_t> file = ReadBytes(MetafilePathIn(desktop_));
  ASSERT_GT(file.size(), 100u);
  EXPECT_EQ(ClipboardMetafile(), file);
  int32_t width = 0, height = 0;
  ClipboardBitmapSize(width, height);
  EXPECT_EQ(width, 1200);
  EXPECT_EQ(height, 900);
}

TEST_F(MainDialogTest, FailuresKeepTheDialogOpenAndTheClipboardAsItWas) {
  struct Failure {
    const char* name;
    std::string folder;
    Win32DesktopOutput::FileWriter writer;
    std::string reason;  // how the second line starts: the file and then the system's reason
  };
  const Failure failures[] = {
      {"folder missing", desktop_ + "\\gone", nullptr,
       "cannot create " + MetafilePathIn(desktop_ + "\\gone") + ": "},
      {"no Desktop folder", "", nullptr, "cannot create quilpic.emf: "},
      {"disk full", desktop_, &FailingWriter,
       "cannot write " + MetafilePathIn(desktop_) + ": There is not enough space on the disk"},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    boxes_.texts.clear();
    PutTextOnClipboard(L"what was there");
    Win32DesktopOutput output(failure.folder, failure.writer);
    auto dialog = Open(output);
    Press(dialog->hwnd(), OkButton);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    const std::string expected = "own: Problem creating Metafile\n" + failure.reason;
    EXPECT_EQ(boxes_.texts[0].substr(0, expected.size()), expected);
    EXPECT_FALSE(dialog->ended());
    EXPECT_TRUE(ClipboardMetafile().empty());
    EXPECT_TRUE(ClipboardHas(CF_UNICODETEXT));
  }
  EXPECT_TRUE(ReadBytes(MetafilePathIn(desktop_)).empty()) << "nothing written";

  // Once the folder is there, OK runs again and publishes.
  boxes_.texts.clear();
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  Press(dialog->hwnd(), OkButton);
  Press(dialog->hwnd(), OkButton);  // ignored: the dialog has ended
  EXPECT_EQ(boxes_.texts.size(), 1u);
  EXPECT_FALSE(ClipboardMetafile().empty());
}

// The choices of a chart drawn go to the registry and come back at the next opening; a value
// of another type than REG_DWORD is no choice.
TEST_F(MainDialogTest, ChoicesSurviveARunInTheRegistry) {
  const std::wstring subkey = L"Software\\Quillmap\\QuillmapTest\\Choices";
  Win32ChoiceStore(subkey).Clear();
  Win32DesktopOutput output(desktop_);
  auto first = Open(output);
  first->flow().UseChoiceStore(Win32ChoiceStoreOpener(subkey), 20000);  // the registry answers
  for (int32_t id : {1001, LogFlagBox, BlueBackgroundBox}) {
    SendDlgItemMessageW(first->hwnd(), id, BM_CLICK, 0, 0);
  }
  first->childScript = [](HWND options) {
    CheckRadioButton(options, FirstErrorBarButton, LastErrorBarButton, 1103);
    CheckDlgButton(options, MarkLimitValuesBox, BST_CHECKED);
    CheckDlgButton(options, ShowTestsBox, BST_CHECKED);
    Press(options, OkButton);
  };
  first->flow().OnOptions();
  const DialogChoices drawn = first->CaptureChoices();
  EXPECT_TRUE(drawn.showTests);
  EXPECT_FALSE(drawn.boldLines);
  Press(first->hwnd(), OkButton);
  ASSERT_TRUE(first->ended());

  auto second = Open(output);
  second->flow().UseChoiceStore(Win32ChoiceStoreOpener(subkey), 20000);  // the registry answers
  second->flow().OnOpen();
  testing::ExpectSameChoices(second->CaptureChoices(), drawn);
  EXPECT_TRUE(IsDlgButtonChecked(second->hwnd(), LogFlagBox) == BST_CHECKED);

  // A 64-bit value where a REG_DWORD belongs is unusable.
  const unsigned long long wide = 4294968297ull;  // 1001 + 2^32
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, subkey.c_str(), L"plotTypeButton", REG_QWORD, &wide,
                            sizeof wide),
            ERROR_SUCCESS);
  int32_t value = 0;
  EXPECT_FALSE(Win32ChoiceStore(subkey).Read("plotTypeButton", value));
  Win32ChoiceStore(subkey).Clear();
}

// The pane's metafile; nullptr when it shows none.
HENHMETAFILE PreviewChartOf(HWND dialog) {
  return reinterpret_cast<HENHMETAFILE>(
      SendDlgItemMessageW(dialog, PreviewControl, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0));
}

// The pane shows the preview run's metafile, or the run's message in its place.
TEST_F(MainDialogTest, ThePaneShowsTheChartOrTheMessageWithoutTouchingDesktopOrClipboard) {
  struct Step {
    const char* name;
    std::function<void(ScriptedMainDialog&)> change;
    const char* message;  // shown instead of a chart; "" for a chart
  };
  auto click = [](int32_t id) {
    return [id](ScriptedMainDialog& d) { SendDlgItemMessageW(d.hwnd(), id, BM_CLICK, 0, 0); };
  };
  const Step steps[] = {
      {"BoxPLot", click(1001), ""},
      {"paired split", click(1016), "No SPLIT-column found"},
      {"no split again", click(1015), ""},
  };
  EmptyTheClipboard();
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  HENHMETAFILE shown = PreviewChartOf(dialog->hwnd());
  EXPECT_NE(shown, nullptr) << "drawn when the dialog opens";
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.change(*dialog);
    const HENHMETAFILE chart = PreviewChartOf(dialog->hwnd());
    const bool drawn = step.message[0] == '\0';
    EXPECT_EQ(chart != nullptr, drawn);
    if (drawn) EXPECT_NE(chart, shown) << "a new chart for the new choice";
    EXPECT_EQ(dialog->previewMessage(), step.message);
    EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog->hwnd(), PreviewControl)) != FALSE, drawn);
    shown = chart;
  }
  EXPECT_TRUE(boxes_.texts.empty());
  EXPECT_FALSE(dialog->ended());
  EXPECT_TRUE(ReadBytes(MetafilePathIn(desktop_)).empty());
  EXPECT_TRUE(ClipboardMetafile().empty());
}

}  // namespace
}  // namespace qm
