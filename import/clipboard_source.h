// The clipboard services the import needs: a registered format, open and close, the data's
// handle, size and bytes, and the system's last error code, with the reason data that are offered
// were refused. The desktop programs pass their real clipboards, the tests bytes held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/import_notes.h"

namespace qm {

// Why data that are offered were not taken.
enum class ClipboardDataProblem {
  None,
  TooLarge,  // more than MaxInputBytes: the "Wk1" block, or the text as UTF-8
  NoMemory,  // the data, or a text range's records, did not fit in memory
};

// The reason in words, for standard error or a second line of the box ("" for None).
std::string ClipboardDataProblemText(ClipboardDataProblem problem);

class ClipboardSource {
 public:
  virtual ~ClipboardSource() = default;
  // The identifier of the format registered under `name`; 0 when it cannot be registered.
  virtual uint32_t RegisterFormat(const std::string& name) = 0;
  // Opens the clipboard with no owner window; false when it fails.
  virtual bool Open() = 0;
  virtual bool IsFormatAvailable(uint32_t format) = 0;
  // Takes the handle of the data in `format`; false when there is none.
  virtual bool GetDataHandle(uint32_t format) = 0;
  // The size in bytes of the data whose handle was taken.
  virtual size_t DataSize() = 0;
  // The data's bytes until Unlock; nullptr when they cannot be locked.
  virtual const uint8_t* Lock() = 0;
  virtual void Unlock() = 0;
  // Closes the clipboard; false when it fails.
  virtual bool Close() = 0;
  // The system's code for the last failure.
  virtual uint32_t LastErrorCode() = 0;
  // What turning the data whose handle was taken into WK1 records noted (a text range's numbers
  // read with a decimal mark that had to be decided); nullptr for data that were WK1 records.
  virtual const ImportNotes* ConversionNotes() { return nullptr; }
  // Why the last GetDataHandle refused data that are there; None when it took them or there
  // were none.
  virtual ClipboardDataProblem DataProblem() { return ClipboardDataProblem::None; }
};

}  // namespace qm
