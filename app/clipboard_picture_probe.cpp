// A test helper: reads the clipboard's picture the way Qt picture programs do
// (QClipboard::image(), which takes the first image format Qt reads) and prints its size.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) {
    std::printf("no picture\n");
    return 1;
  }
  std::printf("picture %dx%d\n", image.width(), image.height());
  return 0;
}
