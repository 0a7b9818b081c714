// The main dialog: opens on "Ttest" and "none" with every box clear, on every run.
#include "win32/main_dialog.h"

#include "io/wide_text.h"
#include "win32/core_calls.h"
#include "win32/dialog_controls.h"
#include "win32/options_dialog.h"

namespace qm {

MainDialog::MainDialog(const WorksheetGrid& grid, PlotTables& tables, Win32MessageSink& messages,
                       Win32DesktopOutput& output, DialogIcons icons)
    : grid_(grid), tables_(tables), messages_(messages), output_(output), icons_(icons) {}

MainDialog::~MainDialog() {
  messages_.SetOwner(nullptr);
  output_.SetOwner(nullptr);
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
  CheckRadioButton(hwnd(), FirstPlotTypeButton, LastPlotTypeButton, FirstPlotTypeButton);
  CheckRadioButton(hwnd(), FirstSplitButton, LastSplitButton, FirstSplitButton);
}

DialogChoices MainDialog::CaptureChoices() const {
  return ReadMainDialogChoices(hwnd(), errorBarStyle_);
}

void MainDialog::OnOk() {
  const PlotSettings settings = SettingsFromChoices(CaptureChoices());
  switch (RunChart(settings, grid_, tables_, messages_, output_)) {
    case PlotOutcome::NoSplitColumn:
      End(IDOK);
      break;
    case PlotOutcome::MetafileFailure:
      break;  // the choices stay for another OK
    case PlotOutcome::Published:
      messages_.ShowOwnBox(PublishedMessage);
      End(IDOK);
      break;
  }
}

void MainDialog::OnOptions() {
  OptionsDialog options(errorBarStyle_);
  RunChild(options, OptionsDialogTable());
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
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case OkButton:
          OnOk();
          return TRUE;
        case CancelButton:  // also the close box and Esc
          End(IDCANCEL);
          return TRUE;
        case OptionsButton:
          if (HIWORD(wParam) == BN_CLICKED) OnOptions();
          return TRUE;
      }
      break;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam) ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icons_.bigIcon);
  }
  return FALSE;
}

}  // namespace qm
