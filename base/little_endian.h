// Little-endian loads, stores and appends: the byte order of WK1 records and EMF records,
// whatever the machine's own order. On a little-endian machine each compiles to one move.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace qm {

inline uint16_t LoadU16(const uint8_t* p) {
  return uint16_t(p[0] | (p[1] << 8));
}
inline int16_t LoadI16(const uint8_t* p) {
  return int16_t(LoadU16(p));
}
inline uint32_t LoadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t LoadI32(const uint8_t* p) {
  return int32_t(LoadU32(p));
}
inline uint64_t LoadU64(const uint8_t* p) {
  return uint64_t(LoadU32(p)) | uint64_t(LoadU32(p + 4)) << 32;
}
inline double LoadDouble(const uint8_t* p) {
  return std::bit_cast<double>(LoadU64(p));
}

inline void StoreU16(uint8_t* p, uint16_t value) {
  p[0] = uint8_t(value);
  p[1] = uint8_t(value >> 8);
}
inline void StoreU32(uint8_t* p, uint32_t value) {
  p[0] = uint8_t(value);
  p[1] = uint8_t(value >> 8);
  p[2] = uint8_t(value >> 16);
  p[3] = uint8_t(value >> 24);
}

inline void AppendU16(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(uint8_t(value));
  bytes.push_back(uint8_t(value >> 8));
}
inline void AppendU32(std::vector<uint8_t>& bytes, uint32_t value) {
  AppendU16(bytes, uint16_t(value));
  AppendU16(bytes, uint16_t(value >> 16));
}
inline void AppendDouble(std::vector<uint8_t>& bytes, double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  AppendU32(bytes, uint32_t(bits));
  AppendU32(bytes, uint32_t(bits >> 32));
}

}  // namespace qm
