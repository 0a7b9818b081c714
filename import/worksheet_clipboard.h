// The clipboard as the worksheet import reads it: open it, hand over the "Wk1" data or the text,
// close it, each saying only whether it worked. What the import makes of them (the text standing
// in for a range, the size bound, a copy that does not fit in memory) is decided once, in
// ImportWorksheet. The desktop programs pass their real clipboards, the tests memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// Why data that are offered were not taken.
enum class ClipboardDataProblem {
  None,
  TooLarge,  // more than MaxInputBytes: the "Wk1" block, or the text as UTF-8
  NoMemory,  // the data, or a text range's records, did not fit in memory
};

// The reason in words, for standard error or a second line of the box ("" for None).
std::string ClipboardDataProblemText(ClipboardDataProblem problem);

// How opening the clipboard for the import ended.
enum class ClipboardOpening { Opened, FormatNotRegistered, NotOpened };

// The "Wk1" data on the clipboard: none, there but not to be had, or taken.
enum class Wk1Offer { None, NotHanded, Handed };

class WorksheetClipboard {
 public:
  virtual ~WorksheetClipboard() = default;
  // Registers the "Wk1" format where the system keeps such names, then opens the clipboard with
  // no owner window.
  virtual ClipboardOpening Open() = 0;
  // Takes the "Wk1" data; for Handed, `size` is their size in bytes.
  virtual Wk1Offer TakeWk1(size_t& size) = 0;
  // The bytes of the data TakeWk1 handed, lent until Close; nullptr when they cannot be read.
  virtual const uint8_t* LendWk1() = 0;
  // The clipboard's text, lent until Close; empty when it holds none or it cannot be read.
  virtual std::u16string_view LendText() = 0;
  // Ends the loans and closes the clipboard; false, with the system's code for the failure in
  // `systemError`, when it cannot be closed.
  virtual bool Close(uint32_t& systemError) = 0;
};

}  // namespace qm
