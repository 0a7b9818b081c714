// Numbers as text with a fixed count of decimals, always with a decimal point: the same text
// whatever locale the process runs in (a dialog framework sets the user's, in which printf
// would write "0,5").
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// Writes `value` with `decimals` (>= 0) digits after the point, correctly rounded (ties to
// even), as snprintf(out, size, "%.*lf", decimals, value) does in the C locale: at most
// size - 1 characters and a NUL. Returns the length of the whole text, as snprintf does.
size_t FormatFixed(double value, int32_t decimals, char* out, size_t size);

}  // namespace qm
