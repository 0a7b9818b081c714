// A clipboard held in memory for the tests: "Wk1" bytes, a text, or no data at all, so that the
// import's clipboard step runs as on a desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/worksheet_clipboard.h"

namespace qm {

class MemoryClipboard : public WorksheetClipboard {
 public:
  MemoryClipboard() = default;  // a clipboard without data
  explicit MemoryClipboard(std::vector<uint8_t> wk1Bytes);
  explicit MemoryClipboard(std::u16string text);

  ClipboardOpening Open() override;
  Wk1Offer TakeWk1(size_t& size) override;
  const uint8_t* LendWk1() override;
  std::u16string_view LendText() override;
  bool Close(uint32_t& systemError) override;

 private:
  std::vector<uint8_t> bytes_;
  bool hasWk1_ = false;
  std::u16string text_;
  bool open_ = false;
};

}  // namespace qm
