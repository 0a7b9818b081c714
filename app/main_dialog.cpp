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
#include "app/dialog_builder.h"
#include "app/options_dialog.h"
#include "app/preview_pane.h"

namespace qm {

MainDialog::MainDialog(const WorksheetGrid& grid, PlotTables& tables, QtMessageSink& messages,
                       PlotOutput& output, const QIcon& icon)
    : QDialog(nullptr),
      messages_(messages),
      output_(output),
      icon_(icon),
      flow_(grid, tables, *this),
      previewOutput_(std::make_unique<PreviewImageOutput>()) {
  BuildDialog(*this, MainDialogTable(), icon_);
  setWindowIcon(icon_);
  connect(FindButton(*this, OkButton), &QAbstractButton::clicked, this, [this] { flow_.OnOk(); });
  connect(FindButton(*this, CancelButton), &QAbstractButton::clicked, this, &QDialog::reject);
  connect(FindButton(*this, OptionsButton), &QAbstractButton::clicked, this,
          [this] { flow_.OnOptions(); });
  connect(FindButton(*this, DefaultsButton), &QAbstractButton::clicked, this,
          [this] { flow_.OnDefaults(); });
  // Drawn when the pane is about to be painted, so a dialog never shown draws nothing.
  preview_ = dynamic_cast<PreviewPane*>(FindControl(*this, PreviewControl));
  preview_->installEventFilter(this);
  flow_.ApplyChoices(DefaultChoices());
  // A radio button that goes off has a partner that comes on: one change, not two.
  for (QRadioButton* radio : findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    connect(radio, &QAbstractButton::toggled, this, [this](bool on) {
      if (on) flow_.OnChoiceChanged();
    });
  }
  for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly)) {
    connect(box, &QAbstractButton::toggled, this, [this] { flow_.OnChoiceChanged(); });
  }
  messages_.SetOwner(this);
}

MainDialog::~MainDialog() {
  messages_.SetOwner(nullptr);
}

DialogChoices MainDialog::ReadControls() const {
  DialogChoices choices;
  choices.plotTypeButton = GetCheckedRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton);
  choices.splitButton = GetCheckedRadioButton(*this, FirstSplitButton, LastSplitButton);
  for (const ChoiceFlagBox& box : MainDialogFlagBoxes)
    choices.*box.flag = IsDlgButtonChecked(*this, box.id);
  return choices;
}

void MainDialog::SetControls(const DialogChoices& choices) {
  CheckRadioButton(*this, FirstPlotTypeButton, LastPlotTypeButton, choices.plotTypeButton);
  CheckRadioButton(*this, FirstSplitButton, LastSplitButton, choices.splitButton);
  for (const ChoiceFlagBox& box : MainDialogFlagBoxes)
    FindButton(*this, box.id)->setChecked(choices.*box.flag);
}

void MainDialog::RunOptionsDialog(DialogChoices& options) {
  OptionsDialog dialog(options.errorBarStyle, this);
  dialog.SetCheckBoxes(options);
  RunModal(dialog);
  if (dialog.result() == QDialog::Accepted) dialog.ReadCheckBoxes(options);
}

void MainDialog::PreviewChanged() {
  previewStale_ = true;
  preview_->update();
}

PlotOutput& MainDialog::PreviewOutput() {
  previewOutput_->SetWidth(preview_->PictureSize().width());
  return *previewOutput_;
}

void MainDialog::ShowPreview(const std::string& message) {
  if (!message.empty()) {
    preview_->ShowMessage(QString::fromUtf8(message.data(), qsizetype(message.size())));
    return;
  }
  QImage picture = previewOutput_->image();
  picture.setDevicePixelRatio(preview_->devicePixelRatioF());
  preview_->ShowPicture(picture);
}

void MainDialog::UpdatePreview() {
  if (!previewStale_) return;
  previewStale_ = false;
  flow_.DrawPreview();
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == preview_ && event->type() == QEvent::Paint) UpdatePreview();
  return QDialog::eventFilter(watched, event);
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
