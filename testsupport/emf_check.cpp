// The metafile checker: walks the records once, keeping the set of live object indices.
#include "testsupport/emf_check.h"

#include <cstring>
#include <vector>

#include "base/little_endian.h"
#include "canvas/emf_format.h"

namespace qm {

namespace {

bool Fits16(int32_t v) {
  return v >= -32768 && v <= 32767;
}

// Stock objects a recorder may select: 0..19 except 9, the ones the system defines.
bool IsKnownStock(uint32_t index) {
  uint32_t n = index & 0x7FFFFFFF;
  return n <= 19 && n != 9;
}

struct Checker {
  const uint8_t* bytes;
  size_t size;
  std::string& problem;
  std::vector<bool> alive;  // by object index; nHandles entries

  bool Fail(size_t offset, const std::string& what) {
    problem = "record at " + std::to_string(offset) + ": " + what;
    return false;
  }

  bool Create(size_t at, uint32_t index) {
    if (index == 0 || (index & 0x80000000u) != 0) return Fail(at, "bad object index");
    if (index >= alive.size()) return Fail(at, "object index beyond nHandles");
    if (alive[index]) return Fail(at, "object index " + std::to_string(index) + " in use");
    alive[index] = true;
    return true;
  }

  bool Use(size_t at, uint32_t index, bool remove) {
    if ((index & 0x80000000u) != 0) {
      if (remove || !IsKnownStock(index)) return Fail(at, "bad stock object");
      return true;
    }
    if (index >= alive.size() || !alive[index]) {
      return Fail(at, "object " + std::to_string(index) + " does not exist");
    }
    if (remove) alive[index] = false;
    return true;
  }

  bool Points(size_t at, const uint8_t* r, uint32_t recordSize, bool small) {
    if (recordSize < 28) return Fail(at, "polygon record too short");
    uint64_t count = LoadU32(r + 24);
    uint64_t need = 28 + count * (small ? 4 : 8);
    if (need > recordSize) return Fail(at, "points outside the record");
    int32_t l = LoadI32(r + 8), t = LoadI32(r + 12), rt = LoadI32(r + 16), b = LoadI32(r + 20);
    if (small && !(Fits16(l) && Fits16(t) && Fits16(rt) && Fits16(b))) {
      return Fail(at, "16-bit points record with bounds beyond 16 bits");
    }
    for (uint64_t i = 0; i < count; i++) {
      int32_t x = small ? LoadI16(r + 28 + 4 * i) : LoadI32(r + 28 + 8 * i);
      int32_t y = small ? LoadI16(r + 30 + 4 * i) : LoadI32(r + 32 + 8 * i);
      // A point outside the bounds means a coordinate was cut to fit.
      if (x < l || x > rt || y < t || y > b) return Fail(at, "point outside the bounds");
    }
    return true;
  }

  bool Text(size_t at, const uint8_t* r, uint32_t recordSize) {
    if (recordSize < EmfTextHeaderSize) return Fail(at, "text record too short");
    uint32_t mode = LoadU32(r + 24);
    if (mode != 1 && mode != 2) return Fail(at, "bad graphics mode");
    uint64_t chars = LoadU32(r + 44);
    uint64_t offString = LoadU32(r + 48);
    uint32_t options = LoadU32(r + 52);
    uint64_t offDx = LoadU32(r + 72);
    uint64_t minimum = (options & 0x100) != 0 ? 60 : EmfTextHeaderSize;  // ETO_NO_RECT
    if (chars == 0) return true;
    if (offString < minimum || offString + 2 * chars > recordSize) {
      return Fail(at, "text outside the record");
    }
    if ((options & 0x100) == 0 &&
        (offDx < minimum || offDx + 4 * chars > recordSize ||
         (offDx < offString + 2 * chars && offDx + 4 * chars > offString))) {
      return Fail(at, "character spacing outside the record");
    }
    return true;
  }

  bool Run() {
    if (size < EmfHeaderSize || size % 4 != 0) {
      problem = "file too short or not a multiple of 4";
      return false;
    }
    if (LoadU32(bytes) != EmrHeader) return Fail(0, "first record is not a header");
    uint32_t headerSize = LoadU32(bytes + 4);
    if (headerSize < EmfHeaderSize || headerSize % 4 != 0 || headerSize > size) {
      return Fail(0, "bad header size");
    }
    if (LoadU32(bytes + 40) != EmfSignature) return Fail(0, "bad signature");
    if (LoadU32(bytes + 48) != size) return Fail(0, "nBytes is not the file size");
    if (LoadI32(bytes + 24) != 0 || LoadI32(bytes + 28) != 0 ||
        LoadI32(bytes + 32) != EmfFrameRight || LoadI32(bytes + 36) != EmfFrameBottom) {
      return Fail(0, "bad frame");
    }
    uint32_t handles = LoadU16(bytes + 56);
    if (handles < 1) return Fail(0, "no handle count");
    alive.assign(handles, false);
    uint64_t nDescription = LoadU32(bytes + 60), offDescription = LoadU32(bytes + 64);
    static const uint8_t nib[10] = {'n', 0, 'i', 0, 'b', 0, 0, 0, 0, 0};
    if (nDescription != EmfDescriptionLength || offDescription < 88 ||
        offDescription + 2 * nDescription > headerSize ||
        std::memcmp(bytes + offDescription, nib, sizeof nib) != 0) {
      return Fail(0, "description is not \"nib\"");
    }

    uint32_t records = 0;
    size_t at = 0;
    bool ended = false;
    while (at < size) {
      if (ended) return Fail(at, "data after the end-of-file record");
      if (size - at < 8) return Fail(at, "truncated record");
      const uint8_t* r = bytes + at;
      uint32_t type = LoadU32(r), recordSize = LoadU32(r + 4);
      if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - at) {
        return Fail(at, "bad record size");
      }
      if (at > 0 && type == EmrHeader) return Fail(at, "second header");
      uint32_t fixed = 0;  // the exact size of fixed-size records
      switch (type) {
        case EmrSetMapMode:
        case EmrSetTextAlign:
          fixed = 12;
          break;
        case EmrSelectObject:
        case EmrDeleteObject:
          fixed = 12;
          if (!Use(at, LoadU32(r + 8), type == EmrDeleteObject)) return false;
          break;
        case EmrSetWindowExtEx:
        case EmrSetViewportExtEx:
        case EmrMoveToEx:
        case EmrLineTo:
          fixed = 16;
          break;
        case EmrRectangle:
        case EmrEllipse:
          fixed = 24;
          break;
        case EmrCreatePen:
          fixed = 28;
          if (!Create(at, LoadU32(r + 8))) return false;
          break;
        case EmrCreateBrushIndirect:
          fixed = 24;
          if (!Create(at, LoadU32(r + 8))) return false;
          break;
        case EmrExtCreateFontIndirectW:
          if (recordSize < 12 + LogFontSize) return Fail(at, "font record too short");
          if (!Create(at, LoadU32(r + 8))) return false;
          break;
        case EmrPolygon16:
        case EmrPolyline16:
        case EmrPolygon:
        case EmrPolyline:
          if (!Points(at, r, recordSize, type == EmrPolygon16 || type == EmrPolyline16)) {
            return false;
          }
          break;
        case EmrExtTextOutW:
          if (!Text(at, r, recordSize)) return false;
          break;
        case EmrEof:
          if (recordSize < 20 || LoadU32(r + recordSize - 4) != recordSize) {
            return Fail(at, "bad end-of-file record");
          }
          ended = true;
          break;
        default:
          break;
      }
      if (fixed != 0 && recordSize != fixed) return Fail(at, "wrong size for its type");
      records++;
      at += recordSize;
    }
    if (!ended) return Fail(at, "no end-of-file record");
    if (LoadU32(bytes + 52) != records) return Fail(0, "nRecords is not the record count");
    return true;
  }
};

}  // namespace

bool CheckEmf(const uint8_t* bytes, size_t size, std::string& problem) {
  problem.clear();
  if (bytes == nullptr) {
    problem = "no data";
    return false;
  }
  Checker checker{bytes, size, problem, {}};
  return checker.Run();
}

std::vector<EmfRecordView> ListEmfRecords(const uint8_t* bytes, size_t size) {
  std::vector<EmfRecordView> records;
  size_t at = 0;
  while (bytes != nullptr && size - at >= 8) {
    uint32_t recordSize = LoadU32(bytes + at + 4);
    if (recordSize < 8 || recordSize > size - at) break;
    records.push_back({LoadU32(bytes + at), at, recordSize});
    at += recordSize;
  }
  return records;
}

}  // namespace qm
