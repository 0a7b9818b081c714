// The Windows main dialog: its defaults, the Options dialog's error-bar style, the About box from
// the system menu, and what OK leads to (published; folder missing; disk full; no split column).
#include "win32/main_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testsupport/memory_clipboard.h"
#include "win32/core_calls.h"
#include "win32/desktop_folder.h"
#include "win32/dialog_controls.h"
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
    MemoryClipboardSource clipboard(ExampleBytes(example_));
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

TEST_F(MainDialogTest, OpensOnTtestAndNoneWithEveryBoxClear) {
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  const DialogChoices choices = dialog->CaptureChoices();
  EXPECT_EQ(choices.plotTypeButton, FirstPlotTypeButton);
  EXPECT_EQ(choices.splitButton, FirstSplitButton);
  EXPECT_FALSE(choices.logFlag || choices.lineAt01 || choices.blueBackground ||
               choices.connectingLines);
  EXPECT_EQ(choices.errorBarStyle, ErrorBarNeverChosen);
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

TEST_F(MainDialogTest, OptionsSetTheErrorBarStyle) {
  struct Visit {
    int32_t check;  // the button checked before the dialog ends; 0 for none
    int32_t press;  // OK or Cancel
    int32_t style;  // the error-bar style after the visit
  };
  const Visit visits[] = {
      {0, OkButton, 1100},       // OK without a change: "No Error Bar"
      {1103, OkButton, 1103},    // "SEM"
      {0, CancelButton, -1},     // Cancel forgets the earlier choice
      {1107, OkButton, 1107},    // "BoxPlot"
      {1105, CancelButton, -1},  // a choice cancelled is no choice
  };
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  for (const Visit& visit : visits) {
    int32_t openedOn = 0;
    dialog->childScript = [&](HWND options) {
      openedOn = GetCheckedRadioButton(options, FirstErrorBarButton, LastErrorBarButton);
      if (visit.check != 0) CheckRadioButton(options, 1100, 1107, visit.check);
      Press(options, visit.press);
    };
    dialog->OnOptions();
    EXPECT_EQ(openedOn, FirstErrorBarButton) << "opens on \"No Error Bar\" every time";
    EXPECT_EQ(dialog->errorBarStyle(), visit.style) << visit.check;
    EXPECT_EQ(dialog->CaptureChoices().errorBarStyle, visit.style);
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

  EXPECT_EQ(boxes_.texts, (std::vector<std::string>{"own: " + std::string(PublishedMessage)}));
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
  };
  const Failure failures[] = {
      {"folder missing", desktop_ + "\\gone", nullptr},
      {"no Desktop folder", "", nullptr},
      {"disk full", desktop_, &FailingWriter},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    boxes_.texts.clear();
    PutTextOnClipboard(L"what was there");
    Win32DesktopOutput output(failure.folder, failure.writer);
    auto dialog = Open(output);
    Press(dialog->hwnd(), OkButton);
    EXPECT_EQ(boxes_.texts, (std::vector<std::string>{"own: Problem creating Metafile"}));
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

TEST_F(MainDialogTest, NoSplitColumnClosesTheDialogWithoutAChart) {
  Win32DesktopOutput output(desktop_);
  auto dialog = Open(output);
  CheckRadioButton(dialog->hwnd(), FirstSplitButton, LastSplitButton, 1016);
  Press(dialog->hwnd(), OkButton);
  EXPECT_EQ(boxes_.texts, (std::vector<std::string>{"framework: No SPLIT-column found\n"}));
  EXPECT_TRUE(dialog->ended());
  EXPECT_TRUE(ReadBytes(MetafilePathIn(desktop_)).empty());
}

}  // namespace
}  // namespace qm
