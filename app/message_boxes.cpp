// Building and running the two kinds of message box.
#include "app/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace qm {

namespace {

std::unique_ptr<QMessageBox> MakeBox(const QString& caption, const std::string& text,
                                     QMessageBox::Icon icon, QWidget* owner) {
  QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
  while (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
  auto box = std::make_unique<QMessageBox>(icon, caption, shown, QMessageBox::Ok, owner);
  box->setTextFormat(Qt::PlainText);
  box->setProperty(MessageTextProperty, QByteArray(text.data(), qsizetype(text.size())));
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeOwnBox(const std::string& text, QWidget* owner) {
  return MakeBox(QString::fromUtf8(OwnBoxCaption), text, QMessageBox::NoIcon, owner);
}

std::unique_ptr<QMessageBox> MakeFrameworkBox(const std::string& text, QWidget* owner) {
  // The framework gives an OK box without an icon of its own the exclamation mark.
  return MakeBox(QCoreApplication::applicationName(), text, QMessageBox::Warning, owner);
}

void QtMessageSink::ShowOwnBox(const std::string& text) {
  auto box = MakeOwnBox(text, owner_);
  Present(*box);
}

void QtMessageSink::ShowFrameworkBox(const std::string& text) {
  auto box = MakeFrameworkBox(text, owner_);
  Present(*box);
}

void QtMessageSink::Present(QMessageBox& box) {
  box.exec();
}

}  // namespace qm
