// Reading the worksheet off the system clipboard through Qt.
#include "app/qt_clipboard_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>

#include "import/text_range.h"

namespace qm {

WorksheetDataChoice ChooseWorksheetData(const QMimeData& data, const QString& wk1Name,
                                        DecimalMark localeMark) {
  const QString windowsName =
      QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(wk1Name);
  const QStringList formats = data.formats();
  for (const QString& format : formats) {
    if (format == wk1Name || format == windowsName) {
      return {WorksheetDataKind::Wk1Records, format, {}};
    }
  }
  if (data.hasText()) {
    const QByteArray text = data.text().toUtf8();
    std::vector<uint8_t> records;
    ImportNotes notes;
    if (ClipboardTextToWk1(text.constData(), size_t(text.size()), records, localeMark, &notes)) {
      return {WorksheetDataKind::TextRange, QStringLiteral("text/plain"),
              QByteArray(reinterpret_cast<const char*>(records.data()), qsizetype(records.size())),
              notes};
    }
  }
  return {};
}

DecimalMark SystemDecimalMark() {
  const QString point = QLocale::system().decimalPoint();
  if (point == QLatin1String(".")) return DecimalMark::Point;
  if (point == QLatin1String(",")) return DecimalMark::Comma;
  return DecimalMark::Unknown;
}

QByteArray ReadWorksheetData(const QMimeData& data, const WorksheetDataChoice& choice) {
  switch (choice.kind) {
    case WorksheetDataKind::Wk1Records:
      return data.data(choice.format);
    case WorksheetDataKind::TextRange:
      return choice.records;
    case WorksheetDataKind::None:
      break;
  }
  return {};
}

uint32_t QtClipboardSource::RegisterFormat(const std::string& name) {
  const QString format = QString::fromStdString(name);
  qsizetype index = names_.indexOf(format);
  if (index < 0) {
    names_.append(format);
    index = names_.size() - 1;
  }
  return FirstFormatId + uint32_t(index);
}

bool QtClipboardSource::Open() {
  if (open_ || QGuiApplication::instance() == nullptr) return false;
  // A Wayland client sees the clipboard only while one of its windows has the focus.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
  data_ = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  open_ = true;
  return true;
}

WorksheetDataChoice QtClipboardSource::Choice(uint32_t format) const {
  if (!open_ || data_ == nullptr || format < FirstFormatId) return {};
  const qsizetype index = qsizetype(format - FirstFormatId);
  if (index >= names_.size()) return {};
  return ChooseWorksheetData(*data_, names_[index], SystemDecimalMark());
}

bool QtClipboardSource::IsFormatAvailable(uint32_t format) {
  return Choice(format).kind != WorksheetDataKind::None;
}

bool QtClipboardSource::GetDataHandle(uint32_t format) {
  const WorksheetDataChoice choice = Choice(format);
  if (choice.kind == WorksheetDataKind::None) return false;
  bytes_ = ReadWorksheetData(*data_, choice);
  kind_ = choice.kind;
  notes_ = choice.notes;
  return true;
}

const ImportNotes* QtClipboardSource::ConversionNotes() {
  return kind_ == WorksheetDataKind::TextRange ? &notes_ : nullptr;
}

const uint8_t* QtClipboardSource::Lock() {
  static const uint8_t empty = 0;
  return bytes_.isEmpty() ? &empty : reinterpret_cast<const uint8_t*>(bytes_.constData());
}

bool QtClipboardSource::Close() {
  if (!open_) return false;
  open_ = false;
  data_ = nullptr;
  bytes_.clear();
  return true;
}

}  // namespace qm
