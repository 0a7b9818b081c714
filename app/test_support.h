// What the desktop program's tests share: a message sink that records the boxes it would
// show (caption, text, icon, buttons, owner) instead of running them, and a scratch folder.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace qm {

struct ShownBox {
  QString caption;
  std::string text;  // as passed
  QString label;     // as shown
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QWidget* owner;
};

class RecordingMessageSink : public QtMessageSink {
 public:
  std::vector<ShownBox> boxes;

  std::vector<std::string> texts() const;

 protected:
  void Present(QMessageBox& box) override;
};

// The bytes of a file of the source tree (QUILLMAP_SOURCE_DIR); empty when unreadable.
std::vector<uint8_t> ReadSourceFile(const std::string& relativePath);
std::vector<uint8_t> ReadFileBytes(const QString& path);

}  // namespace qm
