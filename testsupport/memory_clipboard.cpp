// The in-memory clipboard of the tests: "Wk1" bytes, a text, or none.
#include "testsupport/memory_clipboard.h"

#include <utility>

namespace qm {

MemoryClipboard::MemoryClipboard(std::vector<uint8_t> wk1Bytes)
    : bytes_(std::move(wk1Bytes)), hasWk1_(true) {}

MemoryClipboard::MemoryClipboard(std::u16string text) : text_(std::move(text)) {}

ClipboardOpening MemoryClipboard::Open() {
  if (open_) return ClipboardOpening::NotOpened;
  open_ = true;
  return ClipboardOpening::Opened;
}

Wk1Offer MemoryClipboard::TakeWk1(size_t& size) {
  if (!open_ || !hasWk1_) return Wk1Offer::None;
  size = bytes_.size();
  return Wk1Offer::Handed;
}

const uint8_t* MemoryClipboard::LendWk1() {
  static const uint8_t empty = 0;
  if (!open_ || !hasWk1_) return nullptr;
  return bytes_.empty() ? &empty : bytes_.data();
}

std::u16string_view MemoryClipboard::LendText() {
  return open_ ? std::u16string_view(text_) : std::u16string_view();
}

bool MemoryClipboard::Close(uint32_t&) {
  if (!open_) return false;
  open_ = false;
  return true;
}

}  // namespace qm
