// The message boxes of the desktop program: the program's own box (caption "Quillmap 0001",
// OK only, no icon) and the framework's box (the application's name as caption, OK only).
// Both are owned by the dialog when one is open.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "dialogs/program_texts.h"
#include "import/message_sink.h"

class QMessageBox;

namespace qm {

// The dynamic property of a box that keeps the text exactly as it was passed.
constexpr const char* MessageTextProperty = "messageText";

// Boxes ready to run. A text's trailing line feed is kept in MessageTextProperty and left off
// the label, where it would only add an empty line.
std::unique_ptr<QMessageBox> MakeOwnBox(const std::string& text, QWidget* owner);
std::unique_ptr<QMessageBox> MakeFrameworkBox(const std::string& text, QWidget* owner);

class QtMessageSink : public MessageSink {
 public:
  // The window that owns the boxes from now on; nullptr for none.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  QWidget* owner() const { return owner_; }

  void ShowOwnBox(const std::string& text) override;
  void ShowFrameworkBox(const std::string& text) override;

 protected:
  // Runs the box modally. Tests look at the box instead.
  virtual void Present(QMessageBox& box);

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qm
