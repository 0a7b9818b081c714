#!/usr/bin/env python3
"""Writes a deterministic corpus of worksheets as tab-separated text, for comparing every
output of two builds (scripts/compare-outputs.sh): ordinary, split, log-range and awkward
sheets, limit markers, ties, gaps, odd split codes and extreme values.
Usage: make_sheet_corpus.py FOLDER [COUNT]"""
import math
import os
import random
import sys

BELOW, ABOVE = "-999998.999", "999998.999"


def number(rng, kind):
    r = rng.random()
    if r < 0.06:
        return ""
    if r < 0.09:
        return BELOW
    if r < 0.11:
        return ABOVE
    if kind == "normal":
        return "%.3f" % rng.gauss(50, 12)
    if kind == "lognormal":
        return "%.4g" % math.exp(rng.gauss(3, 2.5))
    if kind == "negative":
        return "%.2f" % rng.gauss(-20, 30)
    if kind == "ties":
        return str(rng.randint(1, 4))
    if kind == "extreme":
        return rng.choice(["999999.998", "-999999.998", "0", "1e-300", "123456.5"])
    if kind == "narrow":
        return "%.9f" % (100000 + rng.random() * 1e-6)
    if kind == "equal":
        return "7"
    return "%.1f" % rng.uniform(-5, 5)


def sheet(rng, index):
    kinds = ["normal", "lognormal", "negative", "ties", "extreme", "narrow", "equal", "small"]
    columns = rng.choice([1, 2, 3, 4, 6, 12, 25])
    rows = rng.choice([0, 1, 2, 3, 5, 8, 20, 60, 300, 1022])
    kind = kinds[index % len(kinds)] if index % 3 else rng.choice(kinds)
    split = rng.random() < 0.6 and columns > 1
    split_at = rng.randrange(columns) if split else -1
    header1, header2 = [], []
    for c in range(columns):
        if c == split_at:
            header1.append(rng.choice(["split", "SPLIT", "Split"]))
            header2.append(rng.choice(["0=control;1=treated", "0=a;1=b;2=c 3=dd", "", "x 5=five"]))
        else:
            header1.append(rng.choice(["Col%d" % c, "Dose %d" % c, "", "A&B<%d>" % c]))
            header2.append(rng.choice(["mg/L", "", "Concentration (ug/L)", "cells per ml"]))
    lines = ["\t".join(header1), "\t".join(header2)]
    for _ in range(rows):
        cells = []
        for c in range(columns):
            if c == split_at:
                cells.append(rng.choice(["0", "1", "2", "3", "5", "9", "9.7", "-0.5", "10", "", "-3"]
                                        if rng.random() < 0.3 else ["0", "1", "2"])
                             if rng.random() < 0.9 else rng.choice(["0", "1"]))
            else:
                cells.append(number(rng, kind if rng.random() < 0.9 else rng.choice(kinds)))
        lines.append("\t".join(cells))
    return "\n".join(lines) + "\n"


def main():
    folder = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20261208)
    for i in range(count):
        with open(os.path.join(folder, "sheet%03d.tsv" % i), "w", encoding="utf-8") as f:
            f.write(sheet(rng, i))


if __name__ == "__main__":
    main()
