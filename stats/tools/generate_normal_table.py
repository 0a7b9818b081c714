#!/usr/bin/env python3
"""Writes stats/normal_table.cpp: Z[k] = -Phi^-1(k/1000) for k = 0..500 (Z[0] unused).

Each value is computed with mpmath at 60 decimal digits, rounded once to the nearest double
and written with 17 significant digits, which reads back as exactly that double.
Run from the repository root, then format the file:
  python3 stats/tools/generate_normal_table.py > stats/normal_table.cpp
  clang-format -i stats/normal_table.cpp
"""
import mpmath

mpmath.mp.dps = 60


def upper_tail_quantile(k):
    # Phi^-1(q) = -sqrt(2) * erfcinv(2q); the upper-tail quantile is its negative.
    q = mpmath.mpf(k) / 1000
    return mpmath.sqrt(2) * mpmath.erfinv(1 - 2 * q)


def main():
    print("// Upper-tail standard normal quantiles Z[k] = -Phi^-1(k/1000), k = 1..500, as the")
    print("// nearest doubles. Written by stats/tools/generate_normal_table.py; do not edit.")
    print('#include "stats/normal_table.h"')
    print()
    print("namespace qm {")
    print()
    print("const double NormalQuantileTable[NormalTableSize + 1] = {")
    values = [0.0] + [float(upper_tail_quantile(k)) for k in range(1, 501)]
    for k, value in enumerate(values):
        print(f"    {value:.17g},  // {k}")
    print("};")
    print()
    print("}  // namespace qm")


if __name__ == "__main__":
    main()
