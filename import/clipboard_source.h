// The clipboard services the import needs: a registered format, open and close, the data's
// handle, size and bytes, and the system's last error code. The desktop program passes the real
// clipboard, quillmap-cli and the tests pass bytes held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/import_notes.h"

namespace qm {

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
};

}  // namespace qm
