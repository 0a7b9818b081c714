// The upper-tail standard normal quantiles behind the table branch of InverseNormal.
#pragma once

#include <cstdint>

namespace qm {

constexpr int32_t NormalTableSize = 500;

// NormalQuantileTable[k] = -Phi^-1(k/1000) for k = 1..500 (entry 0 unused; entry 500 is 0).
extern const double NormalQuantileTable[NormalTableSize + 1];

}  // namespace qm
