// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the
// Options button and, in its context menu, the About box. Its OK is the plot run. Beside the
// controls a preview shows the chart OK would draw; with a store of choices the dialog opens on
// the choices of the last chart drawn, and "Defaults" brings back those of a first start.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>
#include <string>

#include "app/message_boxes.h"
#include "dialogs/choice_store.h"
#include "dialogs/dialog_choices.h"
#include "dialogs/success_message.h"
#include "import/grid.h"
#include "import/import_notes.h"
#include "plot/plot_run.h"
#include "plot/plot_types.h"

class QMenu;

namespace qm {

class PreviewPane;

class MainDialog : public QDialog {
 public:
  // The dialog reads the grid, runs the plot in `tables` and shows its messages on `messages`
  // (whose boxes it owns while it exists); `output` takes the picture.
  MainDialog(const WorksheetGrid& grid, PlotTables& tables, QtMessageSink& messages,
             PlotOutput& output, const QIcon& icon);
  ~MainDialog() override;

  // The choices of the controls, with the error-bar style of the Options dialog, and the
  // settings of the plot run they stand for.
  DialogChoices CaptureChoices() const;
  PlotSettings CaptureSettings() const;
  int32_t errorBarStyle() const { return errorBarStyle_; }
  // What the import could not keep as it was: told, with the chart's own notes, one line each
  // under the success message.
  void SetImportNotes(const ImportNotes& notes) { importNotes_ = notes; }

  // Remembers the choices of every chart drawn in `store` (which must outlive the dialog) and
  // shows the ones it holds now.
  void UseChoiceStore(ChoiceStore* store);
  // Sets the controls (and the Options dialog's choices) to `choices`.
  void ApplyChoices(const DialogChoices& choices);
  // The file the chart is written to, named in the success message.
  void SetPicturePath(const std::string& path) { picturePath_ = path; }

  // Draws the preview for the current choices unless it shows them already. The pane asks for
  // this before it paints; tests ask directly.
  void UpdatePreview();
  PreviewPane& preview() const { return *preview_; }

  void OnOk();
  void OnOptions();
  // The first start's choices again, and nothing remembered any more.
  void OnDefaults();
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
  const WorksheetGrid& grid_;
  PlotTables& tables_;
  QtMessageSink& messages_;
  PlotOutput& output_;
  void OnChoiceChanged();

  QIcon icon_;
  int32_t errorBarStyle_ = ErrorBarNeverChosen;
  ImportNotes importNotes_;
  bool markLimitValues_ = false;
  ChoiceStore* store_ = nullptr;
  std::string picturePath_;
  PreviewPane* preview_ = nullptr;
  bool previewStale_ = true;
};

}  // namespace qm
