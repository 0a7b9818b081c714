// The main dialog: opens on "Ttest" and "none" with every box clear, or on the choices of the
// last chart drawn where they are remembered; the preview follows every change of a choice.
#include "app/main_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>

#include "app/about_dialog.h"
#include "app/chart_preview.h"
#include "app/dialog_builder.h"
#include "app/options_dialog.h"
#include "app/preview_pane.h"

namespace qm {

namespace {

// The check boxes that stand for the four drawing flags, in DialogChoices' terms.
struct FlagBox {
  int32_t id;
  bool DialogChoices::*flag;
};
constexpr FlagBox FlagBoxes[] = {
    {LogFlagBox, &DialogChoices::logFlag},
    {LineAt01Box, &DialogChoices::lineAt01},
    {BlueBackgroundBox, &DialogChoices::blueBackground},
    {ConnectingLinesBox, &DialogChoices::connectingLines},
};

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
  connect(FindButton(*this, DefaultsButton), &QAbstractButton::clicked, this,
          [this] { OnDefaults(); });
  // A radio button that goes off has a partner that comes on: one change, not two.
  for (QRadioButton* radio : findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    connect(radio, &QAbstractButton::toggled, this, [this](bool on) {
      if (on) OnChoiceChanged();
    });
  }
  for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly)) {
    connect(box, &QAbstractButton::toggled, this, [this] { OnChoiceChanged(); });
  }
  // Drawn when the pane is about to be painted, so a dialog never shown draws nothing.
  preview_ = dynamic_cast<PreviewPane*>(FindControl(*this, PreviewControl));
  preview_->installEventFilter(this);
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
  choices.markLimitValues = markLimitValues_;
  return choices;
}

PlotSettings MainDialog::CaptureSettings() const {
  return SettingsFromChoices(CaptureChoices());
}

void MainDialog::UseChoiceStore(ChoiceStore* store) {
  store_ = store;
  if (store_ != nullptr) ApplyChoices(LoadChoices(*store_));
}

void MainDialog::ApplyChoices(const DialogChoices& choices) {
  CheckRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton, choices.plotTypeButton);
  CheckRadioButton(*this, FirstSplitButton, LastSplitButton, choices.splitButton);
  for (const FlagBox& box : FlagBoxes) FindButton(*this, box.id)->setChecked(choices.*box.flag);
  errorBarStyle_ = choices.errorBarStyle;
  markLimitValues_ = choices.markLimitValues;
  OnChoiceChanged();
}

void MainDialog::OnChoiceChanged() {
  previewStale_ = true;
  preview_->update();
}

void MainDialog::UpdatePreview() {
  if (!previewStale_) return;
  previewStale_ = false;
  const QSize size = preview_->PictureSize();
  PreviewPicture picture = DrawPreview(CaptureSettings(), grid_, tables_, size.width());
  if (picture.image.isNull()) {
    preview_->ShowMessage(picture.message);
    return;
  }
  picture.image.setDevicePixelRatio(preview_->devicePixelRatioF());
  preview_->ShowPicture(picture.image);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == preview_ && event->type() == QEvent::Paint) UpdatePreview();
  return QDialog::eventFilter(watched, event);
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
    case PlotOutcome::Published: {
      if (store_ != nullptr) SaveChoices(CaptureChoices(), *store_);
      messages_.ShowOwnBox(SuccessMessage(picturePath_, notes, grid_));
      accept();
      break;
    }
  }
}

void MainDialog::OnOptions() {
  OptionsDialog options(errorBarStyle_, this);
  options.SetMarkLimitValues(markLimitValues_);
  RunModal(options);
  if (options.result() == QDialog::Accepted) markLimitValues_ = options.markLimitValues();
  OnChoiceChanged();  // even a cancelled dialog leaves the style at -1
}

void MainDialog::OnDefaults() {
  ApplyChoices(DefaultChoices());
  if (store_ != nullptr) store_->Clear();
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
