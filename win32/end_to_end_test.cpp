// quillmap.exe as a user runs it: a range on the clipboard ("Wk1" data, or text), the program
// started, OK pressed and then the success box; after the program has ended the clipboard holds
// the chart, the same bytes as quilpic.emf on the Desktop, and the system's player paints it.
// With nothing on the clipboard the program says "No data on Clipboard" and ends.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "canvas_gdi/gdi_picture.h"
#include "io/wide_text.h"
#include "win32/desktop_folder.h"
#include "win32/registry_choice_store.h"
#include "win32/test_support.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

// The program under test as a Windows path.
std::wstring ProgramPath() {
  std::string path = QUILLMAP_EXE;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine's drive for the root
  for (char& c : path) c = c == '/' ? '\\' : c;
  return WideFromUtf8(path);
}

struct WindowSearch {
  DWORD process;
  const wchar_t* caption;
  bool mainDialog;  // the one with the plot type buttons, not a message box
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (process != search->process || !IsWindowVisible(window) ||
      std::wstring(caption) != search->caption) {
    return TRUE;
  }
  if ((GetDlgItem(window, 1000) != nullptr) != search->mainDialog) return TRUE;
  search->found = window;
  return FALSE;
}

// The program's window with that caption, once it shows; nullptr after 20 seconds.
HWND WaitForWindow(const PROCESS_INFORMATION& program, const wchar_t* caption, bool mainDialog) {
  const auto end = Clock::now() + std::chrono::seconds(20);
  while (Clock::now() < end) {
    WindowSearch search = {program.dwProcessId, caption, mainDialog, nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(program.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

// A message box's text.
std::string BoxText(HWND box) {
  wchar_t text[256] = {};
  const UINT length = GetDlgItemTextW(box, 0xFFFF, text, 256);
  return Utf8FromWide(text, length);
}

class Program {
 public:
  Program() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    started_ = Clock::now();
    running_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &info_) != FALSE;
  }
  ~Program() {
    if (!running_) return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0)
      TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  bool running() const { return running_; }
  const PROCESS_INFORMATION& info() const { return info_; }
  double MillisecondsSinceStart() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
  }
  // True when the program ends within 20 seconds with exit code 0.
  bool EndsCleanly() const {
    DWORD code = 1;
    return WaitForSingleObject(info_.hProcess, 20000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(info_.hProcess, &code) && code == 0;
  }

 private:
  PROCESS_INFORMATION info_ = {};
  Clock::time_point started_;
  bool running_ = false;
};

// Runs the program on what the clipboard holds, presses OK and then OK on the success box;
// the chart's bytes as the clipboard has them afterwards.
std::vector<uint8_t> DrawWithDefaults(const std::string& label) {
  const std::string file = MetafilePathIn(DesktopFolder());
  DeleteFileW(WideFromUtf8(file).c_str());
  Win32ChoiceStore().Clear();  // the first start's choices, whatever an earlier run kept
  Program program;
  EXPECT_TRUE(program.running());
  HWND dialog = WaitForWindow(program.info(), L"Quillmap", true);
  EXPECT_NE(dialog, nullptr);
  if (dialog == nullptr) return {};
  const double toDialog = program.MillisecondsSinceStart();
  std::printf("%s: start to dialog %.0f ms\n", label.c_str(), toDialog);
  ::testing::Test::RecordProperty(label + "_start_to_dialog_ms", int(toDialog));

  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  HWND box = WaitForWindow(program.info(), L"Quillmap 0001", false);
  EXPECT_NE(box, nullptr);
  if (box == nullptr) return {};
  EXPECT_EQ(BoxText(box), "Quillmap.emf on clipboard: use Edit/Paste or CTRL-V\n" + file);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(program.EndsCleanly());

  // The program has ended: the chart is still on the clipboard, byte for byte the file.
  const std::vector<uint8_t> published = ClipboardMetafile();
  EXPECT_EQ(published, ReadBytes(file));
  int32_t width = 0, height = 0;
  ClipboardBitmapSize(width, height);
  EXPECT_EQ(width, 1200);
  EXPECT_EQ(height, 900);
  return published;
}

void ExpectAChartWithinItsFrame(const std::vector<uint8_t>& emf) {
  constexpr int32_t Margin = 60, Width = 800, Height = 600;
  Picture picture;
  ASSERT_TRUE(PlayMetafile(emf, Width + 2 * Margin, Height + 2 * Margin, Margin, Margin,
                           Margin + Width, Margin + Height, picture));
  EXPECT_GT(InkInside(picture, Margin, Margin, Margin + Width, Margin + Height), 5000);
  EXPECT_EQ(InkOutside(picture, Margin, Margin, Margin + Width, Margin + Height), 0);
}

TEST(EndToEndTest, Wk1DataAndTheSameRangeAsTextGiveTheSameChart) {
  PutOnClipboard(Wk1ClipboardFormat(), ExampleBytes("treatment.wk1"));
  const std::vector<uint8_t> fromWk1 = DrawWithDefaults("wk1");
  ASSERT_FALSE(fromWk1.empty());
  ExpectAChartWithinItsFrame(fromWk1);

  const std::vector<uint8_t> tsv = ExampleBytes("treatment.tsv");
  PutTextOnClipboard(WideFromUtf8(std::string(tsv.begin(), tsv.end())));
  const std::vector<uint8_t> fromText = DrawWithDefaults("text");
  EXPECT_EQ(fromText, fromWk1);
}

TEST(EndToEndTest, AnEmptyClipboardEndsTheProgramWithItsMessage) {
  EmptyTheClipboard();
  Program program;
  ASSERT_TRUE(program.running());
  HWND box = WaitForWindow(program.info(), L"Quillmap", false);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box).substr(0, 20), "No data on Clipboard");
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(program.EndsCleanly());
}

}  // namespace
}  // namespace qm
