// The real clipboard behind the import: the "Wk1" data another program offers, read through
// Qt (on X11 the selection target named Wk1). Which data are taken and how their bytes become
// WK1 records is decided in one place, ChooseWorksheetData and ReadWorksheetData, so another
// reader (text ranges, for one) can be added there.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

#include "import/clipboard_source.h"
#include "import/import_notes.h"
#include "import/text_number.h"

class QMimeData;

namespace qm {

enum class WorksheetDataKind { None, Wk1Records, TextRange };

struct WorksheetDataChoice {
  WorksheetDataKind kind = WorksheetDataKind::None;
  QString format;      // the clipboard format the bytes are read from
  QByteArray records;  // a text range's WK1 records
  ClipboardDataProblem problem = ClipboardDataProblem::None;
  ImportNotes notes;  // and the notes of its conversion
};

// The clipboard data that hold the worksheet. `wk1Name` is the registered format's name: X11
// offers it as a target of that name, Qt on Windows as
// application/x-qt-windows-mime;value="<name>". Without such data, text that holds a range
// (a tab or a line break, and a cell) stands in for it as the WK1 records of that range: every
// spreadsheet copies cells as tab-separated text; `localeMark` settles the decimal mark where
// the text's numbers leave it open. Text larger than MaxInputBytes is chosen with the problem
// TooLarge and not read as a range.
WorksheetDataChoice ChooseWorksheetData(const QMimeData& data, const QString& wk1Name,
                                        DecimalMark localeMark = DecimalMark::Unknown);
// The decimal mark of the user's locale, as Qt reads it from the system.
DecimalMark SystemDecimalMark();
// The WK1 record bytes of the chosen data; empty when none could be had.
QByteArray ReadWorksheetData(const QMimeData& data, const WorksheetDataChoice& choice);

class QtClipboardSource : public ClipboardSource {
 public:
  uint32_t RegisterFormat(const std::string& name) override;
  // Fails where the clipboard cannot be read before a window has the focus (Wayland). On X11
  // an owner that does not answer within OwnerWaitMilliseconds leaves the clipboard without
  // data, with a line on standard error.
  bool Open() override;
  bool IsFormatAvailable(uint32_t format) override;
  // False, with DataProblem saying why, for data larger than MaxInputBytes or that do not fit
  // in memory.
  bool GetDataHandle(uint32_t format) override;
  size_t DataSize() override { return size_t(bytes_.size()); }
  const uint8_t* Lock() override;
  void Unlock() override {}
  bool Close() override;
  uint32_t LastErrorCode() override { return 0; }
  const ImportNotes* ConversionNotes() override;
  ClipboardDataProblem DataProblem() override { return problem_; }

 private:
  // Registered formats take identifiers from the range the system gives them.
  static constexpr uint32_t FirstFormatId = 0xC000;
  // A local owner answers in milliseconds; Qt would wait 5 s for each of its requests.
  static constexpr int OwnerWaitMilliseconds = 2000;

  // The data chosen for `format`, decided once while the clipboard is open: asking whether a
  // format is there and then taking it must not turn a large text into records twice.
  const WorksheetDataChoice& Choice(uint32_t format);

  QStringList names_;  // index + FirstFormatId is the identifier
  const QMimeData* data_ = nullptr;
  bool open_ = false;
  uint32_t chosenFormat_ = 0;  // the format chosen_ holds the choice of; 0 for none
  WorksheetDataChoice chosen_;
  QByteArray bytes_;
  WorksheetDataKind kind_ = WorksheetDataKind::None;  // of the data whose handle was taken
  ImportNotes notes_;
  ClipboardDataProblem problem_ = ClipboardDataProblem::None;
};

}  // namespace qm
