// The real clipboard behind the import, read through Qt: the "Wk1" data another program offers
// (on X11 the selection target named Wk1) and the clipboard's text.
#pragma once

#include <QByteArray>
#include <QString>

#include "import/text_number.h"
#include "import/worksheet_clipboard.h"

class QMimeData;

namespace qm {

// The clipboard format of `data` that holds the "Wk1" data, "" for none. `wk1Name` is the
// registered format's name: X11 offers it as a target of that name, Qt on Windows as
// application/x-qt-windows-mime;value="<name>".
QString Wk1FormatOf(const QMimeData& data, const QString& wk1Name);
// The decimal mark of the user's locale, as Qt reads it from the system.
DecimalMark SystemDecimalMark();

class QtClipboardReader : public WorksheetClipboard {
 public:
  // Fails where the clipboard cannot be read before a window has the focus (Wayland). On X11
  // an owner that does not answer within OwnerWaitMilliseconds leaves the clipboard without
  // data, with a line on standard error.
  ClipboardOpening Open() override;
  Wk1Offer TakeWk1(size_t& size) override;
  const uint8_t* LendWk1() override;
  std::u16string_view LendText() override;
  bool Close(uint32_t& systemError) override;

 private:
  // A local owner answers in milliseconds; Qt would wait 5 s for each of its requests.
  static constexpr int OwnerWaitMilliseconds = 2000;

  const QMimeData* data_ = nullptr;
  bool open_ = false;
  QByteArray bytes_;
  QString text_;
};

}  // namespace qm
