// The main dialog: opens on "Ttest" and "none" with every box clear, or on the choices of the
// last chart drawn where they are remembered; the preview follows every change of a choice.
#include "win32/main_dialog.h"

#include <algorithm>

#include "io/wide_text.h"
#include "win32/dialog_controls.h"
#include "win32/options_dialog.h"

namespace qm {

namespace {

// The chart's frame is 14400 x 10800 logical units: the preview keeps its proportions.
constexpr int ChartAspectWidth = 4;
constexpr int ChartAspectHeight = 3;

// The buttons and boxes whose click changes what OK would draw.
bool IsChoiceControl(int32_t id) {
  return (id >= FirstPlotTypeButton && id <= LastPlotTypeButton) ||
         (id >= FirstSplitButton && id <= LastSplitButton) || id == LogFlagBox ||
         id == LineAt01Box || id == BlueBackgroundBox || id == ConnectingLinesBox;
}

}  // namespace

MainDialog::MainDialog(const WorksheetGrid& grid, PlotTables& tables, Win32MessageSink& messages,
                       Win32DesktopOutput& output, DialogIcons icons)
    : messages_(messages), output_(output), icons_(icons), flow_(grid, tables, *this) {}

MainDialog::~MainDialog() {
  messages_.SetOwner(nullptr);
  output_.SetOwner(nullptr);
  // A dialog still open gives its pane's metafile back first; one that ended has no pane.
  if (hwnd() != nullptr) SetPreviewChart(nullptr);
  if (previewChart_ != nullptr) DeleteEnhMetaFile(previewChart_);
}

void MainDialog::OnInitDialog() {
  messages_.SetOwner(hwnd());
  output_.SetOwner(hwnd());
  if (HMENU menu = GetSystemMenu(hwnd(), FALSE)) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, AboutCommand, WideFromUtf8(AboutMenuText).c_str());
  }
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.bigIcon));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.smallIcon));
  PlacePreview();
  flow_.OnOpen();
}

void MainDialog::PlacePreview() {
  HWND pane = GetDlgItem(hwnd(), PreviewControl);
  RECT area;
  GetWindowRect(pane, &area);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  // The widest picture of the chart's proportions whose height still fits, centred.
  const int fitWidth = std::min(width, height * ChartAspectWidth / ChartAspectHeight);
  const int fitHeight = fitWidth * ChartAspectHeight / ChartAspectWidth;
  MoveWindow(pane, area.left + (width - fitWidth) / 2, area.top + (height - fitHeight) / 2,
             fitWidth, fitHeight, FALSE);
  // A static of its own for the message: a metafile static shows no text.
  previewText_ =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_CENTER | SS_CENTERIMAGE, area.left, area.top,
                      width, height, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(previewText_, WM_SETFONT, SendMessageW(hwnd(), WM_GETFONT, 0, 0), FALSE);
}

DialogChoices MainDialog::ReadControls() const {
  return ReadMainDialogChoices(hwnd());
}

void MainDialog::SetControls(const DialogChoices& choices) {
  if (hwnd() != nullptr) SetMainDialogChoices(hwnd(), choices);
}

void MainDialog::RunOptionsDialog(DialogChoices& options) {
  OptionsDialog dialog(options);
  RunChild(dialog, OptionsDialogTable());
}

void MainDialog::PreviewChanged() {
  if (hwnd() != nullptr) flow_.DrawPreview();
}

void MainDialog::SetPreviewChart(HENHMETAFILE chart) {
  const LRESULT previous = SendDlgItemMessageW(hwnd(), PreviewControl, STM_SETIMAGE,
                                               IMAGE_ENHMETAFILE, reinterpret_cast<LPARAM>(chart));
  if (previous != 0) DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(previous));
  previewChart_ = chart;
}

void MainDialog::ShowPreview(const std::string& message) {
  HENHMETAFILE chart = message.empty() ? previewOutput_.TakeMetafile() : nullptr;
  SetPreviewChart(chart);
  previewMessage_ = message;
  SetWindowTextW(previewText_, WideFromUtf8(previewMessage_).c_str());
  ShowWindow(GetDlgItem(hwnd(), PreviewControl), chart != nullptr ? SW_SHOW : SW_HIDE);
  ShowWindow(previewText_, chart != nullptr ? SW_HIDE : SW_SHOW);
}

bool MainDialog::OnSysCommand(WPARAM id) {
  if ((id & ~WPARAM(0xF)) != WPARAM(AboutCommand)) return false;
  AboutDialog about;
  RunChild(about, AboutDialogTable());
  return true;
}

void MainDialog::RunChild(DialogWindow& child, const DialogTable& table) {
  child.RunModal(hwnd(), table, DialogRole::Child);
}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_DESTROY:  // the pane goes with the window; its metafile goes here
      SetPreviewChart(nullptr);
      return FALSE;
    case WM_COMMAND: {
      const int32_t id = LOWORD(wParam);
      const bool clicked = HIWORD(wParam) == BN_CLICKED;
      switch (id) {
        case OkButton:
          flow_.OnOk();
          return TRUE;
        case CancelButton:  // also the close box and Esc
          End(IDCANCEL);
          return TRUE;
        case OptionsButton:
          if (clicked) flow_.OnOptions();
          return TRUE;
        case DefaultsButton:
          if (clicked) flow_.OnDefaults();
          return TRUE;
      }
      if (clicked && IsChoiceControl(id)) {
        flow_.OnChoiceChanged();
        return TRUE;
      }
      break;
    }
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam) ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icons_.bigIcon);
  }
  return FALSE;
}

}  // namespace qm
