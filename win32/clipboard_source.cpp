// Reading the worksheet off the Windows clipboard.
#include "win32/clipboard_source.h"

#include <cwchar>
#include <new>

#include "import/import_worksheet.h"
#include "import/limits.h"
#include "import/text_range.h"
#include "io/user_locale.h"
#include "io/wide_text.h"

namespace qm {

uint32_t Win32ClipboardSource::RegisterFormat(const std::string& name) {
  const uint32_t format = RegisterClipboardFormatW(WideFromUtf8(name).c_str());
  if (name == Wk1FormatName) wk1Format_ = format;
  return format;
}

bool Win32ClipboardSource::Open() {
  textFormat_ = 0;
  return OpenClipboard(nullptr) != FALSE;
}

bool Win32ClipboardSource::TextStandsIn(uint32_t format) {
  if (format != 0 && format == textFormat_) return true;
  textFormat_ = 0;
  textRecords_.clear();
  textProblem_ = ClipboardDataProblem::None;
  if (format == 0 || format != wk1Format_) return false;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  HANDLE text = GetClipboardData(CF_UNICODETEXT);
  if (text == nullptr) return false;
  const auto* units = static_cast<const wchar_t*>(GlobalLock(text));
  if (units == nullptr) return false;
  // The text ends at its NUL or at the end of the memory, whichever comes first.
  const size_t capacity = GlobalSize(text) / sizeof(wchar_t);
  const size_t length = wcsnlen(units, capacity);
  bool range = false;
  // Every UTF-16 unit gives at least one UTF-8 byte: a longer text is too large unconverted.
  if (length > MaxInputBytes) {
    textProblem_ = ClipboardDataProblem::TooLarge;
  } else {
    try {
      const std::string utf8 = Utf8FromWide(units, length);
      textNotes_ = ImportNotes();
      if (utf8.size() > MaxInputBytes) {
        textProblem_ = ClipboardDataProblem::TooLarge;
      } else {
        range = ClipboardTextToWk1(utf8.data(), utf8.size(), textRecords_,
                                   DecimalMarkOf(UserDecimalSeparator()), &textNotes_);
      }
    } catch (const std::bad_alloc&) {
      textRecords_.clear();
      textProblem_ = ClipboardDataProblem::NoMemory;
    }
  }
  GlobalUnlock(text);
  // Text too large to read still stands in: the import then says why it took none.
  if (range || textProblem_ != ClipboardDataProblem::None) textFormat_ = format;
  return textFormat_ != 0;
}

bool Win32ClipboardSource::IsFormatAvailable(uint32_t format) {
  return IsClipboardFormatAvailable(format) || TextStandsIn(format);
}

bool Win32ClipboardSource::GetDataHandle(uint32_t format) {
  fromText_ = false;
  problem_ = ClipboardDataProblem::None;
  handle_ = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
  // WK1 data larger than any range needs are not taken: the import says it got no handle.
  if (handle_ != nullptr && GlobalSize(handle_) > MaxInputBytes) {
    handle_ = nullptr;
    problem_ = ClipboardDataProblem::TooLarge;
    return false;
  }
  if (handle_ != nullptr) return true;
  if (!TextStandsIn(format)) return false;
  problem_ = textProblem_;
  fromText_ = problem_ == ClipboardDataProblem::None;
  return fromText_;
}

size_t Win32ClipboardSource::DataSize() {
  return fromText_ ? textRecords_.size() : GlobalSize(handle_);
}

const uint8_t* Win32ClipboardSource::Lock() {
  if (fromText_) return textRecords_.data();
  return static_cast<const uint8_t*>(GlobalLock(handle_));
}

void Win32ClipboardSource::Unlock() {
  if (!fromText_ && handle_ != nullptr) GlobalUnlock(handle_);
}

bool Win32ClipboardSource::Close() {
  handle_ = nullptr;
  fromText_ = false;
  textFormat_ = 0;
  return CloseClipboard() != FALSE;
}

}  // namespace qm
