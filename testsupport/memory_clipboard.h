// A clipboard held in memory for the tests: bytes offered under the "Wk1" format, or no data at
// all, so that the clipboard step of the import runs on bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "import/clipboard_source.h"

namespace qm {

class MemoryClipboardSource : public ClipboardSource {
 public:
  MemoryClipboardSource() = default;  // a clipboard without "Wk1" data
  explicit MemoryClipboardSource(std::vector<uint8_t> wk1Bytes);

  uint32_t RegisterFormat(const std::string& name) override;
  bool Open() override;
  bool IsFormatAvailable(uint32_t format) override;
  bool GetDataHandle(uint32_t format) override;
  size_t DataSize() override;
  const uint8_t* Lock() override;
  void Unlock() override;
  bool Close() override;
  uint32_t LastErrorCode() override { return 0; }

 private:
  // Registered formats get identifiers from the range Windows uses for them.
  static constexpr uint32_t Wk1FormatId = 0xC000;
  static constexpr uint32_t OtherFormatId = 0xC001;

  std::vector<uint8_t> bytes_;
  bool hasData_ = false;
  bool open_ = false;
};

}  // namespace qm
