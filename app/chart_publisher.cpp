// Publishing a chart on the clipboard: in the program, or through the serving program.
#include "app/chart_publisher.h"

#include <signal.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>

namespace qm {

void InProcessPublisher::Publish(const ClipboardFormats& formats) {
  if (QGuiApplication::instance() == nullptr) return;
  QGuiApplication::clipboard()->setMimeData(MakeMimeData(formats).release(), QClipboard::Clipboard);
}

void ServingPublisher::Publish(const ClipboardFormats& formats) {
  if (!HandOver(formats)) InProcessPublisher().Publish(formats);
}

bool ServingPublisher::HandOver(const ClipboardFormats& formats) {
  if (!QFileInfo(serverPath_).isExecutable()) return false;
  // QTemporaryFile creates the file readable by its owner only.
  QTemporaryFile file(QDir::tempPath() + QStringLiteral("/quillmap-clipboard-XXXXXX"));
  file.setAutoRemove(false);
  if (!file.open()) return false;
  const QString path = file.fileName();
  const QByteArray bytes = EncodeClipboardFormats(formats);
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written) {
    QFile::remove(path);
    return false;
  }

  QProcess server;
  server.setProgram(serverPath_);
  server.setArguments({path});
  // The server must not hold the terminal's or a caller's pipes open after Quillmap ends.
  server.setStandardInputFile(QProcess::nullDevice());
  server.setStandardOutputFile(QProcess::nullDevice());
  server.setStandardErrorFile(QProcess::nullDevice());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
  server.setProcessEnvironment(environment);
  qint64 pid = 0;
  if (!server.startDetached(&pid)) {
    QFile::remove(path);
    return false;
  }
  QDeadlineTimer deadline(5000);
  while (QFile::exists(path)) {
    // A server that ended without removing the file could not take the clipboard.
    if (deadline.hasExpired() || ::kill(pid_t(pid), 0) != 0) {
      QFile::remove(path);
      return false;
    }
    QThread::msleep(10);
  }
  return true;
}

std::unique_ptr<ChartPublisher> MakeChartPublisher() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    return std::make_unique<ServingPublisher>(QCoreApplication::applicationDirPath() +
                                              QLatin1Char('/') +
                                              QLatin1String(ClipboardServerName));
  }
  return std::make_unique<InProcessPublisher>();
}

}  // namespace qm
