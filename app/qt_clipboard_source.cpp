// Reading the worksheet off the system clipboard through Qt.
#include "app/qt_clipboard_source.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <cstdio>
#include <new>

#include "app/x11_clipboard_probe.h"
#include "import/limits.h"
#include "import/text_range.h"

namespace qm {

WorksheetDataChoice ChooseWorksheetData(const QMimeData& data, const QString& wk1Name,
                                        DecimalMark localeMark) {
  const QString windowsName =
      QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(wk1Name);
  const QStringList formats = data.formats();
  for (const QString& format : formats) {
    if (format == wk1Name || format == windowsName) {
      return {WorksheetDataKind::Wk1Records, format, {}, ClipboardDataProblem::None, {}};
    }
  }
  if (data.hasText()) {
    const QByteArray text = data.text().toUtf8();
    if (size_t(text.size()) > MaxInputBytes) {
      return {WorksheetDataKind::TextRange,
              QStringLiteral("text/plain"),
              {},
              ClipboardDataProblem::TooLarge,
              {}};
    }
    std::vector<uint8_t> records;
    ImportNotes notes;
    try {
      if (ClipboardTextToWk1(text.constData(), size_t(text.size()), records, localeMark, &notes)) {
        return {
            WorksheetDataKind::TextRange, QStringLiteral("text/plain"),
            QByteArray(reinterpret_cast<const char*>(records.data()), qsizetype(records.size())),
            ClipboardDataProblem::None, notes};
      }
    } catch (const std::bad_alloc&) {
      return {WorksheetDataKind::TextRange,
              QStringLiteral("text/plain"),
              {},
              ClipboardDataProblem::NoMemory,
              {}};
    }
  }
  return {};
}

DecimalMark SystemDecimalMark() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 ? DecimalMarkOf(point[0].toLatin1()) : DecimalMark::Unknown;
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
  chosenFormat_ = 0;
  chosen_ = {};
  open_ = true;
  return true;
}

const WorksheetDataChoice& QtClipboardSource::Choice(uint32_t format) {
  if (format == chosenFormat_ && format != 0) return chosen_;
  chosenFormat_ = format;
  chosen_ = {};
  const qsizetype index = qsizetype(format) - qsizetype(FirstFormatId);
  if (open_ && data_ != nullptr && index >= 0 && index < names_.size()) {
    chosen_ = ChooseWorksheetData(*data_, names_[index], SystemDecimalMark());
  }
  return chosen_;
}

bool QtClipboardSource::IsFormatAvailable(uint32_t format) {
  return Choice(format).kind != WorksheetDataKind::None;
}

bool QtClipboardSource::GetDataHandle(uint32_t format) {
  problem_ = ClipboardDataProblem::None;
  const WorksheetDataChoice& choice = Choice(format);
  if (choice.kind == WorksheetDataKind::None) return false;
  ClipboardDataProblem problem = choice.problem;
  if (problem == ClipboardDataProblem::None) {
    try {
      bytes_ = ReadWorksheetData(*data_, choice);
    } catch (const std::bad_alloc&) {
      problem = ClipboardDataProblem::NoMemory;
    }
    if (size_t(bytes_.size()) > MaxInputBytes) problem = ClipboardDataProblem::TooLarge;
  }
  problem_ = problem;
  if (problem != ClipboardDataProblem::None) {
    bytes_.clear();
    return false;
  }
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
  chosenFormat_ = 0;
  chosen_ = {};
  bytes_.clear();
  return true;
}

}  // namespace qm
