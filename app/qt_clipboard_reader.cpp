// Reading the worksheet off the system clipboard through Qt.
#include "app/qt_clipboard_reader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <QStringList>
#include <cstdio>

#include "app/x11_clipboard_probe.h"
#include "import/import_worksheet.h"

namespace qm {

QString Wk1FormatOf(const QMimeData& data, const QString& wk1Name) {
  const QString windowsName =
      QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(wk1Name);
  const QStringList formats = data.formats();
  for (const QString& format : formats) {
    if (format == wk1Name || format == windowsName) return format;
  }
  return QString();
}

DecimalMark SystemDecimalMark() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 ? DecimalMarkOf(point[0].toLatin1()) : DecimalMark::Unknown;
}

ClipboardOpening QtClipboardReader::Open() {
  if (open_ || QGuiApplication::instance() == nullptr) return ClipboardOpening::NotOpened;
  // A Wayland client sees the clipboard only while one of its windows has the focus.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    return ClipboardOpening::NotOpened;
  }
  data_ = nullptr;
  if (QGuiApplication::platformName() == QLatin1String("xcb") &&
      ProbeClipboardOwner("", OwnerWaitMilliseconds) == ClipboardOwnerState::Silent) {
    std::fprintf(stderr,
                 "quillmap: the program that owns the clipboard did not answer within %d s; "
                 "its data cannot be read\n",
                 OwnerWaitMilliseconds / 1000);
  } else {
    data_ = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  }
  open_ = true;
  return ClipboardOpening::Opened;
}

Wk1Offer QtClipboardReader::TakeWk1(size_t& size) {
  if (!open_ || data_ == nullptr) return Wk1Offer::None;
  const QString format = Wk1FormatOf(*data_, QString::fromLatin1(Wk1FormatName));
  if (format.isEmpty()) return Wk1Offer::None;
  bytes_ = data_->data(format);
  size = size_t(bytes_.size());
  return Wk1Offer::Handed;
}

const uint8_t* QtClipboardReader::LendWk1() {
  static const uint8_t empty = 0;
  return bytes_.isEmpty() ? &empty : reinterpret_cast<const uint8_t*>(bytes_.constData());
}

std::u16string_view QtClipboardReader::LendText() {
  if (!open_ || data_ == nullptr || !data_->hasText()) return {};
  text_ = data_->text();
  return std::u16string_view(reinterpret_cast<const char16_t*>(text_.utf16()),
                             size_t(text_.size()));
}

bool QtClipboardReader::Close(uint32_t&) {
  if (!open_) return false;
  open_ = false;
  data_ = nullptr;
  bytes_.clear();
  text_.clear();
  return true;
}

}  // namespace qm
