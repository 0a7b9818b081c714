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

namespace {

// The notes of a run, each on a line of its own after the text they follow; "" without notes.
std::string NoteLinesBelow(const RunNotes& notes, const WorksheetGrid& grid) {
  std::string below;
  for (const std::string& line : NoteLines(notes, grid)) below += "\n" + line;
  return below;
}

}  // namespace

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
  connect(FindButton(*this, OkButton), &QAbstractButton::clicked, this, [this] { OnOk(); });
  connect(FindButton(*this, CancelButton), &QAbstractButton::clicked, this, &QDialog::reject);
  connect(FindButton(*this, OptionsButton), &QAbstractButton::clicked, this,
          [this] { OnOptions(); });
  messages_.SetOwner(this);
}

MainDialog::~MainDialog() {
  messages_.SetOwner(nullptr);
}

DialogChoices MainDialog::CaptureChoices() const {
  DialogChoices choices;
  choices.plotTypeButton = GetCheckedRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton);
  choices.splitButton = GetCheckedRadioButton(*this, FirstSplitButton, LastSplitButton);
  choices.logFlag = IsDlgButtonChecked(*this, LogFlagBox);
  choices.blueBackground = IsDlgButtonChecked(*this, BlueBackgroundBox);
  choices.lineAt01 = IsDlgButtonChecked(*this, LineAt01Box);
  choices.connectingLines = IsDlgButtonChecked(*this, ConnectingLinesBox);
  choices.errorBarStyle = errorBarStyle_;
  return choices;
}

PlotSettings MainDialog::CaptureSettings() const {
  return SettingsFromChoices(CaptureChoices());
}

void MainDialog::OnOk() {
  const PlotSettings settings = CaptureSettings();
  RunNotes notes{importNotes_, {}};
  switch (RunPlot(settings, grid_, tables_, messages_, output_, &notes)) {
    case PlotOutcome::NoSplitColumn:
      accept();
      break;
    case PlotOutcome::MetafileFailure:
      break;  // the choices stay for another OK
    case PlotOutcome::Published:
      messages_.ShowOwnBox(PublishedMessage + NoteLinesBelow(notes, grid_));
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
