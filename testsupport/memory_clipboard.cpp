// The in-memory clipboard of the tests: "Wk1" bytes, or none.
#include "testsupport/memory_clipboard.h"

#include <utility>

#include "import/import_worksheet.h"

namespace qm {

MemoryClipboardSource::MemoryClipboardSource(std::vector<uint8_t> wk1Bytes)
    : bytes_(std::move(wk1Bytes)), hasData_(true) {}

uint32_t MemoryClipboardSource::RegisterFormat(const std::string& name) {
  return name == Wk1FormatName ? Wk1FormatId : OtherFormatId;
}

bool MemoryClipboardSource::Open() {
  if (open_) return false;
  open_ = true;
  return true;
}

bool MemoryClipboardSource::IsFormatAvailable(uint32_t format) {
  return hasData_ && format == Wk1FormatId;
}

bool MemoryClipboardSource::GetDataHandle(uint32_t format) {
  return open_ && IsFormatAvailable(format);
}

size_t MemoryClipboardSource::DataSize() {
  return bytes_.size();
}

const uint8_t* MemoryClipboardSource::Lock() {
  static const uint8_t empty = 0;
  if (!hasData_) return nullptr;
  return bytes_.empty() ? &empty : bytes_.data();
}

void MemoryClipboardSource::Unlock() {}

bool MemoryClipboardSource::Close() {
  if (!open_) return false;
  open_ = false;
  return true;
}

}  // namespace qm
