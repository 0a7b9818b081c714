// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the
// Options button and, in its context menu, the About box. Its OK is the plot run. Beside the
// controls a preview shows the chart OK would draw; with a store of choices the dialog opens on
// the choices of the last chart drawn, and "Defaults" brings back those of a first start.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>
#include <string>

#include "app/chart_preview.h"
#include "app/message_boxes.h"
#include "dialogs/dialog_choices.h"
#include "dialogs/dialog_flow.h"
#include "import/grid.h"
#include "plot/plot_run.h"
#include "plot/plot_types.h"

class QMenu;

namespace qm {

class PreviewPane;

class MainDialog : public QDialog, private DialogView {
 public:
  // The dialog reads the grid, runs the plot in `tables` and shows its messages on `messages`
  // (whose boxes it owns while it exists); `output` takes the picture.
  MainDialog(const WorksheetGrid& grid, PlotTables& tables, QtMessageSink& messages,
             PlotOutput& output, const QIcon& icon);
  ~MainDialog() override;

  // What the dialog does, written once for every front end.
  DialogFlow& flow() { return flow_; }
  // The choices of the controls, with the Options dialog's, and the settings they stand for.
  DialogChoices CaptureChoices() const { return flow_.CaptureChoices(); }
  PlotSettings CaptureSettings() const { return SettingsFromChoices(CaptureChoices()); }
  // The file the chart is written to, named in the success message.
  void SetPicturePath(const std::string& path) { picturePath_ = path; }

  // Draws the preview for the current choices unless it shows them already. The pane asks for
  // this before it paints; tests ask directly.
  void UpdatePreview();
  PreviewPane& preview() const { return *preview_; }

  // A command of the dialog's menu: AboutCommand opens the About box.
  void OnSysCommand(int32_t id);
  // The dialog's menu: the About entry (its data is AboutCommand).
  std::unique_ptr<QMenu> MakeMenu();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Runs a dialog of this one modally; tests drive it instead.
  virtual void RunModal(QDialog& dialog);

 private:
  // The view the flow works.
  DialogChoices ReadControls() const override;
  void SetControls(const DialogChoices& choices) override;
  void RunOptionsDialog(DialogChoices& options) override;
  void PreviewChanged() override;
  PlotOutput& PreviewOutput() override;
  void ShowPreview(const std::string& message) override;
  PlotOutput& ChartOutput() override { return output_; }
  std::string PicturePath() const override { return picturePath_; }
  MessageSink& Messages() override { return messages_; }
  void CloseDialog() override { accept(); }

  QtMessageSink& messages_;
  PlotOutput& output_;
  QIcon icon_;
  DialogFlow flow_;
  std::string picturePath_;
  PreviewPane* preview_ = nullptr;
  std::unique_ptr<PreviewImageOutput> previewOutput_;
  bool previewStale_ = true;
};

}  // namespace qm
