// Fixed-point number text through std::to_chars, which knows no locale.
#include "plot/format_fixed.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>
#include <system_error>

namespace qm {

namespace {

// The longest fixed text of a double before its decimals: a sign, 309 integer digits and the
// point.
constexpr size_t IntegerPartRoom = 312;

}  // namespace

size_t FormatFixed(double value, int32_t decimals, char* out, size_t size) {
  if (decimals < 0) decimals = 0;
  char local[512];
  std::string large;
  char* first = local;
  char* last = local + sizeof local;
  if (IntegerPartRoom + size_t(decimals) > sizeof local) {
    large.resize(IntegerPartRoom + size_t(decimals));
    first = large.data();
    last = first + large.size();
  }
  const std::to_chars_result result =
      std::to_chars(first, last, value, std::chars_format::fixed, decimals);
  const size_t length = result.ec == std::errc() ? size_t(result.ptr - first) : 0;
  if (size > 0) {
    const size_t kept = std::min(length, size - 1);
    std::memcpy(out, first, kept);
    out[kept] = '\0';
  }
  return length;
}

}  // namespace qm
