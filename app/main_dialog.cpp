// The main dialog: opens on "Ttest" and "none" with every box clear, on every run.
#include "app/main_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "app/about_dialog.h"
#include "app/dialog_builder.h"
#include "app/options_dialog.h"

namespace qm {

MainDialog::MainDialog(const WorksheetGrid& grid, PlotTables& tables, QtMessageSink& messages,
                       PlotOutput& output, const QIcon& icon)
    : QDialog(nullptr),
      grid_(grid),
      tables_(tables),
      messages_(messages),
      output_(output),
      icon_(icon) {
  BuildDialog(*this, MainDialogTable(), icon_);
  setWindowIcon(icon_);
  CheckRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton, FirstPlotTypeButton);
  CheckRadioButton(*this, FirstSplitButton, LastSplitButton, FirstSplitButton);
  connect(FindButton(*this, IDOK), &QAbstractButton::clicked, this, [this] { OnOk(); });
  connect(FindButton(*this, IDCANCEL), &QAbstractButton::clicked, this, &QDialog::reject);
  connect(FindButton(*this, OptionsButton), &QAbstractButton::clicked, this,
          [this] { OnOptions(); });
  messages_.SetOwner(this);
}

MainDialog::~MainDialog() {
  messages_.SetOwner(nullptr);
}

PlotSettings MainDialog::CaptureSettings() const {
  PlotSettings settings;
  settings.PlotType = GetCheckedRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton);
  settings.SplitMode =
      GetCheckedRadioButton(*this, FirstSplitButton, LastSplitButton) - FirstSplitButton;
  settings.LogFlag = IsDlgButtonChecked(*this, LogFlagBox) ? 1 : 0;
  settings.BlueBackground = IsDlgButtonChecked(*this, BlueBackgroundBox) ? 1 : 0;
  settings.LineAt01 = IsDlgButtonChecked(*this, LineAt01Box) ? 1 : 0;
  settings.ConnectingLines = IsDlgButtonChecked(*this, ConnectingLinesBox) ? 1 : 0;
  settings.ErrorBarStyle = errorBarStyle_;
  return settings;
}

void MainDialog::OnOk() {
  const PlotSettings settings = CaptureSettings();
  switch (RunPlot(settings, grid_, tables_, messages_, output_)) {
    case PlotOutcome::NoSplitColumn:
      accept();
      break;
    case PlotOutcome::MetafileFailure:
      break;  // the choices stay for another OK
    case PlotOutcome::Published:
      messages_.ShowOwnBox(PublishedMessage);
      accept();
      break;
  }
}

void MainDialog::OnOptions() {
  OptionsDialog options(errorBarStyle_, this);
  RunModal(options);
}

void MainDialog::OnSysCommand(int32_t id) {
  if ((id & ~0xF) != AboutCommand) return;
  AboutDialog about(icon_, this);
  RunModal(about);
}

std::unique_ptr<QMenu> MainDialog::MakeMenu() {
  auto menu = std::make_unique<QMenu>(this);
  QAction* about = menu->addAction(QString::fromUtf8(AboutMenuText));
  about->setData(AboutCommand);
  return menu;
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu = MakeMenu();
  QAction* chosen = menu->exec(event->globalPos());
  if (chosen != nullptr) OnSysCommand(chosen->data().toInt());
}

void MainDialog::RunModal(QDialog& dialog) {
  dialog.exec();
}

}  // namespace qm
