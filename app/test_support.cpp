// The desktop program's test main (a QApplication on the offscreen platform) and helpers.
#include "app/test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <cstdlib>

namespace qm {

std::vector<std::string> RecordingMessageSink::texts() const {
  std::vector<std::string> result;
  for (const ShownBox& box : boxes) result.push_back(box.text);
  return result;
}

void RecordingMessageSink::Present(QMessageBox& box) {
  const QByteArray text = box.property(MessageTextProperty).toByteArray();
  boxes.push_back({box.windowTitle(), text.toStdString(), box.text(), box.icon(),
                   box.standardButtons(), box.parentWidget()});
}

std::vector<uint8_t> ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> ReadSourceFile(const std::string& relativePath) {
  const char* root = std::getenv("QUILLMAP_SOURCE_DIR");
  if (root == nullptr) root = QUILLMAP_SOURCE_DIR;
  return ReadFileBytes(QString::fromStdString(std::string(root) + "/" + relativePath));
}

}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmap"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
