// Reading the worksheet off the Windows clipboard.
#include "win32/clipboard_reader.h"

#include <cwchar>

#include "base/windows_api.h"
#include "import/import_worksheet.h"
#include "io/wide_text.h"

namespace qm {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

class Win32ClipboardReader : public WorksheetClipboard {
 public:
  ClipboardOpening Open() override {
    wk1Format_ = RegisterClipboardFormatW(WideFromUtf8(Wk1FormatName).c_str());
    if (wk1Format_ == 0) return ClipboardOpening::FormatNotRegistered;
    if (!OpenClipboard(nullptr)) return ClipboardOpening::NotOpened;
    return ClipboardOpening::Opened;
  }

  Wk1Offer TakeWk1(size_t& size) override {
    if (!IsClipboardFormatAvailable(wk1Format_)) return Wk1Offer::None;
    wk1_ = GetClipboardData(wk1Format_);
    if (wk1_ == nullptr) return Wk1Offer::NotHanded;
    size = GlobalSize(wk1_);
    return Wk1Offer::Handed;
  }

  const uint8_t* LendWk1() override {
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(wk1_));
    wk1Locked_ = bytes != nullptr;
    return bytes;
  }

  std::u16string_view LendText() override {
    if (text_ != nullptr || !IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    HANDLE text = GetClipboardData(CF_UNICODETEXT);
    if (text == nullptr) return {};
    const auto* units = static_cast<const wchar_t*>(GlobalLock(text));
    if (units == nullptr) return {};
    text_ = text;
    // The text ends at its NUL or at the end of the memory, whichever comes first.
    const size_t length = wcsnlen(units, GlobalSize(text) / sizeof(wchar_t));
    return std::u16string_view(reinterpret_cast<const char16_t*>(units), length);
  }

  bool Close(uint32_t& systemError) override {
    if (wk1Locked_) GlobalUnlock(wk1_);
    if (text_ != nullptr) GlobalUnlock(text_);
    wk1_ = nullptr;
    wk1Locked_ = false;
    text_ = nullptr;
    if (CloseClipboard()) return true;
    systemError = GetLastError();
    return false;
  }

 private:
  UINT wk1Format_ = 0;
  HANDLE wk1_ = nullptr;  // the "Wk1" data
  bool wk1Locked_ = false;
  HANDLE text_ = nullptr;  // the Unicode text, while it is lent
};

}  // namespace

std::unique_ptr<WorksheetClipboard> NewWindowsClipboardReader() {
  return std::make_unique<Win32ClipboardReader>();
}

}  // namespace qm
