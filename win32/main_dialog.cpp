// The main dialog: opens on "Ttest" and "none" with every box clear, or on the choices of the
// last chart drawn where they are remembered; the preview follows every change of a choice.
#include "win32/main_dialog.h"

#include <algorithm>

#include "io/wide_text.h"
#include "plot/run_notes.h"
#include "win32/chart_preview.h"
#include "win32/core_calls.h"
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
    : grid_(grid), tables_(tables), messages_(messages), output_(output), icons_(icons) {}

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
  ApplyChoices(store_ != nullptr ? LoadChoices(*store_) : DefaultChoices());
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

DialogChoices MainDialog::CaptureChoices() const {
  DialogChoices choices = ReadMainDialogChoices(hwnd(), errorBarStyle_);
  choices.markLimitValues = markLimitValues_;
  return choices;
}

void MainDialog::UseChoiceStore(ChoiceStore* store) {
  store_ = store;
  if (store_ != nullptr && hwnd() != nullptr) ApplyChoices(LoadChoices(*store_));
}

void MainDialog::ApplyChoices(const DialogChoices& choices) {
  errorBarStyle_ = choices.errorBarStyle;
  markLimitValues_ = choices.markLimitValues;
  if (hwnd() == nullptr) return;
  SetMainDialogChoices(hwnd(), choices);
  UpdatePreview();
}

void MainDialog::SetPreviewChart(HENHMETAFILE chart) {
  const LRESULT previous = SendDlgItemMessageW(hwnd(), PreviewControl, STM_SETIMAGE,
                                               IMAGE_ENHMETAFILE, reinterpret_cast<LPARAM>(chart));
  if (previous != 0) DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(previous));
  previewChart_ = chart;
}

void MainDialog::UpdatePreview() {
  PreviewChart chart = DrawPreviewChart(SettingsFromChoices(CaptureChoices()), grid_, tables_);
  SetPreviewChart(chart.metafile);
  previewMessage_ = chart.message;
  SetWindowTextW(previewText_, WideFromUtf8(previewMessage_).c_str());
  ShowWindow(GetDlgItem(hwnd(), PreviewControl), chart.metafile != nullptr ? SW_SHOW : SW_HIDE);
  ShowWindow(previewText_, chart.metafile != nullptr ? SW_HIDE : SW_SHOW);
}

void MainDialog::OnOk() {
  const PlotSettings settings = SettingsFromChoices(CaptureChoices());
  RunNotes notes{importNotes_, {}};
  switch (RunChart(settings, grid_, tables_, messages_, output_, &notes)) {
    case PlotOutcome::NoSplitColumn:
      End(IDOK);
      break;
    case PlotOutcome::MetafileFailure:
      break;  // the choices stay for another OK
    case PlotOutcome::Published:
      if (store_ != nullptr) SaveChoices(CaptureChoices(), *store_);
      messages_.ShowOwnBox(SuccessMessage(output_.path(), notes, grid_));
      End(IDOK);
      break;
  }
}

void MainDialog::OnOptions() {
  OptionsDialog options(errorBarStyle_, markLimitValues_);
  RunChild(options, OptionsDialogTable());
  markLimitValues_ = options.markLimitValues();
  UpdatePreview();  // even a cancelled dialog leaves the style at -1
}

void MainDialog::OnDefaults() {
  ApplyChoices(DefaultChoices());
  if (store_ != nullptr) store_->Clear();
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
          OnOk();
          return TRUE;
        case CancelButton:  // also the close box and Esc
          End(IDCANCEL);
          return TRUE;
        case OptionsButton:
          if (clicked) OnOptions();
          return TRUE;
        case DefaultsButton:
          if (clicked) OnDefaults();
          return TRUE;
      }
      if (clicked && IsChoiceControl(id)) {
        UpdatePreview();
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
