// The main dialog (dialog 102): the plot type, the drawing flags and the split mode, the
// Options button and, in its context menu, the About box. Its OK is the plot run.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>

#include "app/message_boxes.h"
#include "dialogs/dialog_choices.h"
#include "import/grid.h"
#include "import/import_notes.h"
#include "plot/plot_run.h"
#include "plot/plot_types.h"

class QMenu;

namespace qm {

constexpr const char* PublishedMessage = "Quillmap.emf on clipboard: use Edit/Paste or CTRL-V";

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

  void OnOk();
  void OnOptions();
  // A command of the dialog's menu: AboutCommand opens the About box.
  void OnSysCommand(int32_t id);
  // The dialog's menu: the About entry (its data is AboutCommand).
  std::unique_ptr<QMenu> MakeMenu();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Runs a dialog of this one modally; tests drive it instead.
  virtual void RunModal(QDialog& dialog);

 private:
  const WorksheetGrid& grid_;
  PlotTables& tables_;
  QtMessageSink& messages_;
  PlotOutput& output_;
  QIcon icon_;
  int32_t errorBarStyle_ = ErrorBarNeverChosen;
  ImportNotes importNotes_;
};

}  // namespace qm
