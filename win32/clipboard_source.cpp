// Reading the worksheet off the Windows clipboard.
#include "win32/clipboard_source.h"

#include <cwchar>

#include "import/import_worksheet.h"
#include "import/text_range.h"
#include "io/wide_text.h"

namespace qm {

uint32_t Win32ClipboardSource::RegisterFormat(const std::string& name) {
  const uint32_t format = RegisterClipboardFormatW(WideFromUtf8(name).c_str());
  if (name == Wk1FormatName) wk1Format_ = format;
  return format;
}

bool Win32ClipboardSource::Open() {
  return OpenClipboard(nullptr) != FALSE;
}

bool Win32ClipboardSource::TextStandsIn(uint32_t format) {
  textRecords_.clear();
  if (format == 0 || format != wk1Format_) return false;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  HANDLE text = GetClipboardData(CF_UNICODETEXT);
  if (text == nullptr) return false;
  const auto* units = static_cast<const wchar_t*>(GlobalLock(text));
  if (units == nullptr) return false;
  // The text ends at its NUL or at the end of the memory, whichever comes first.
  const size_t capacity = GlobalSize(text) / sizeof(wchar_t);
  const std::string utf8 = Utf8FromWide(units, wcsnlen(units, capacity));
  GlobalUnlock(text);
  return ClipboardTextToWk1(utf8.data(), utf8.size(), textRecords_);
}

bool Win32ClipboardSource::IsFormatAvailable(uint32_t format) {
  return IsClipboardFormatAvailable(format) || TextStandsIn(format);
}

bool Win32ClipboardSource::GetDataHandle(uint32_t format) {
  fromText_ = false;
  handle_ = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
  if (handle_ != nullptr) return true;
  fromText_ = TextStandsIn(format);
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
  return CloseClipboard() != FALSE;
}

}  // namespace qm
