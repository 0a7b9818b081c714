#!/usr/bin/env python3
"""Checks the group comparisons of `quillmap-cli stats --tests` against scipy.stats on generated
sheets: every split mode, linear and log axis, with and without limit values, small samples
(exact distributions) and large ones (normal approximations), ties and zero differences.
The series' values come from `quillmap-cli grid` and the series layout of `stats`; which tests
apply and how, from the definitions in the manual page. Exit 0 when every number agrees to
1e-9 relative, 1 on a mismatch, 77 (skipped) without scipy.
Usage: check_group_tests.py QUILLMAP_CLI [COUNT]"""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
import warnings

try:
    from scipy import stats
except ImportError:
    print("scipy not installed: skipped")
    sys.exit(77)

warnings.filterwarnings("ignore")
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sheet_corpus  # noqa: E402

MISSING, BELOW, ABOVE = -999999.999, -999998.999, 999998.999
REL = 1e-9
NOTES = {"limit": "limit values", "few": "fewer than 2 values", "pairs": "no pairs",
         "var": "no variance", "log": "values \u2264 0 on a log axis"}


def is_limit(v):
    return v != MISSING and (v <= BELOW or v >= ABOVE)


def cell(rng, kind, limits):
    r = rng.random()
    if r < 0.08:
        return ""
    if limits and r < 0.14:
        return rng.choice(["-999998.999", "999998.999", "-999998.999"])
    if kind == "ties":
        return str(rng.randint(1, 5))
    if kind == "zero":
        return rng.choice(["0", "-1.5", "2", "3.25"])
    return "%.4f" % math.exp(rng.gauss(1.5, 0.8))


def targeted_sheet(rng, index):
    """A sheet aimed at one path: few or many rows, ties or none, limits or none, a split
    column or none."""
    rows = rng.choice([2, 3, 5, 7, 8, 9, 12, 30, 50, 51, 120])
    columns = rng.choice([2, 3, 4])
    split = index % 3 != 0
    kind = rng.choice(["plain", "plain", "ties", "zero"])
    limits = index % 2 == 1
    header1 = ["C%d" % c for c in range(columns)]
    header2 = ["units"] * columns
    if split:
        header1.append("split")
        header2.append("0=ctrl;1=a;2=b")
    lines = ["\t".join(header1), "\t".join(header2)]
    groups = rng.choice([1, 2, 3])
    for r in range(rows):
        cells = [cell(rng, kind, limits) for _ in range(columns)]
        if split:
            cells.append(str(r % groups) if rng.random() < 0.95 else "")
        lines.append("\t".join(cells))
    return "\n".join(lines) + "\n"


def run(cli, *args):
    out = subprocess.run([cli, *args], capture_output=True, text=True)
    return out.returncode, out.stdout


def series_values(grid, table, s):
    """(row, value) of every row of series s, missing values included."""
    rec = table["series"][s]
    out = []
    for row in range(grid["rowCount"]):
        values = grid["values"][row]
        if table["splitColumn"] < 0:
            out.append(values[rec["column"]])
            continue
        split = values[table["splitColumn"]]
        code = int(split) if -1.0 < split < 10.0 else -99
        out.append(values[rec["column"]] if code == rec["groupCode"] else MISSING)
    return out


def welch(x, y, log):
    if any(map(is_limit, x + y)):
        return None, "limit"
    if len(x) < 2 or len(y) < 2:
        return None, "few"
    if log and min(x + y) <= 0:
        return None, "log"
    if len(set(x)) == 1 and len(set(y)) == 1:
        return None, "var"
    if log:
        x, y = [math.log(v) for v in x], [math.log(v) for v in y]
    if max(x + y) - min(x + y) < 1e-7 * max(abs(v) for v in x + y):
        # Values alike to 7 digits: the two programs' roundings of the means differ by more
        # than the spread allows, so neither result is right to 1e-9.
        return "ill-conditioned", None
    r = stats.ttest_ind(x, y, equal_var=False)
    n1, n2 = len(x), len(y)
    v1, v2 = stats.tvar(x) / n1, stats.tvar(y) / n2
    df = (v1 + v2) ** 2 / (v1 ** 2 / (n1 - 1) + v2 ** 2 / (n2 - 1))
    return {"statistic": r.statistic, "df": df, "p": r.pvalue}, None


def mann_whitney(x, y):
    if not x or not y:
        return None, "few"
    ties = len(set(x + y)) < len(x + y)
    if len(set(x + y)) == 1:
        return None, "var"
    method = "exact" if len(x) <= 8 and len(y) <= 8 and not ties else "asymptotic"
    r = stats.mannwhitneyu(x, y, alternative="two-sided", method=method, use_continuity=True)
    return {"statistic": r.statistic, "p": r.pvalue}, None


def paired(x, y, log):
    pairs = [(a, b) for a, b in zip(x, y) if a != MISSING and b != MISSING]
    if not pairs:
        return len(pairs), (None, "pairs"), (None, "pairs")
    px, py = [a for a, _ in pairs], [b for _, b in pairs]
    if any(map(is_limit, px + py)):
        def side(v):
            return -1 if v <= BELOW else (1 if v >= ABOVE else 0)
        up = down = 0
        for a, b in pairs:
            sa, sb = side(a), side(b)
            order = sa - sb if sa != sb else (0 if sa != 0 else (a > b) - (a < b))
            up += order > 0
            down += order < 0
        if up + down == 0:
            return len(pairs), (None, "limit"), (None, "pairs")
        r = stats.binomtest(up, up + down, 0.5)
        return len(pairs), (None, "limit"), ({"statistic": up, "p": r.pvalue, "pairs": up + down},
                                             None)
    if len(pairs) < 2:
        t = (None, "few")
    elif log and min(px + py) <= 0:
        t = (None, "log")
    else:
        d = [(math.log(a) - math.log(b)) if log else a - b for a, b in pairs]
        if len(set(d)) == 1:
            t = (None, "var")
        else:
            lx = [math.log(v) for v in px] if log else px
            ly = [math.log(v) for v in py] if log else py
            r = stats.ttest_rel(lx, ly)
            t = ({"statistic": r.statistic, "df": len(pairs) - 1, "p": r.pvalue}, None)
    d = [a - b for a, b in pairs if a - b != 0]
    if not d:
        return len(pairs), t, (None, "var")
    ties = len(set(abs(v) for v in d)) < len(d)
    method = "exact" if len(d) <= 50 and not ties else "approx"
    r = stats.wilcoxon(d, method=method, correction=False)
    return len(pairs), t, ({"statistic": r.statistic, "p": r.pvalue, "pairs": len(d)}, None)


def holm(ps):
    order = sorted(range(len(ps)), key=lambda i: ps[i])
    out, running = [0.0] * len(ps), 0.0
    for k, i in enumerate(order):
        running = max(running, min(1.0, (len(ps) - k) * ps[i]))
        out[i] = running
    return out


def expected(grid, table, split, log):
    count, groups = table["seriesCount"], table["groupCount"]
    if split == "none":
        per = count
    elif groups == 0:
        return []
    else:
        per = count // groups if split == "paired" else groups
    out = []
    for first in range(0, count - per + 1 if per else 0, per):
        block = []
        for s in range(first + 1, first + per):
            x, y = series_values(grid, table, s), series_values(grid, table, first)
            item = {"series": s, "reference": first, "paired": split == "paired"}
            if split == "paired":
                item["n"], t, rank = paired(x, y, log)
            else:
                vx, vy = [v for v in x if v != MISSING], [v for v in y if v != MISSING]
                item["n"] = [len(vx), len(vy)]
                t, rank = welch(vx, vy, log), mann_whitney(vx, vy)
            item["t"], item["tNote"] = t
            item["rank"], item["rankNote"] = rank
            block.append(item)
        for key in ("t", "rank"):
            made = [b for b in block if b[key] is not None]
            if any(b[key] == "ill-conditioned" for b in made):
                continue
            for b, p in zip(made, holm([b[key]["p"] for b in made])):
                b[key]["pHolm"] = p
        out += block
    return out


def close(a, b):
    return math.isclose(a, b, rel_tol=REL, abs_tol=1e-13)


def compare(name, got, want):
    problems = []
    if len(got) != len(want):
        return ["%s: %d comparisons, expected %d" % (name, len(got), len(want))]
    for g, w in zip(got, want):
        where = "%s series %d" % (name, w["series"])
        for key in ("series", "reference", "paired", "n"):
            if g[key] != w[key]:
                problems.append("%s: %s %r, expected %r" % (where, key, g[key], w[key]))
        for key in ("t", "rank"):
            if w[key] is None:
                if g[key] is not None or g.get(key + "Note") != NOTES[w[key + "Note"]]:
                    problems.append("%s: %s %r, expected null (%s)" % (where, key, g[key],
                                                                        w[key + "Note"]))
                continue
            if g[key] is None:
                problems.append("%s: %s null (%s), expected %r" % (where, key,
                                                                   g.get(key + "Note"), w[key]))
                continue
            if w[key] == "ill-conditioned":
                continue
            for field, value in w[key].items():
                if not close(g[key][field], value):
                    problems.append("%s: %s.%s %r, expected %r" % (where, key, field,
                                                                    g[key][field], value))
    return problems


def main():
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    rng = random.Random(20261209)
    problems, checked, made = [], 0, 0
    with tempfile.TemporaryDirectory() as folder:
        for i in range(count):
            # Mostly aimed sheets; every sixth one from the output corpus, with its odd cells.
            text = make_sheet_corpus.sheet(rng, i) if i % 6 == 5 else targeted_sheet(rng, i)
            path = os.path.join(folder, "sheet%03d.tsv" % i)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            code, grid_text = run(cli, "grid", path)
            if code != 0:
                continue
            grid = json.loads(grid_text)
            for split in ("none", "paired", "non-paired"):
                for log in (False, True):
                    args = ["stats", path, "--split", split, "--tests"] + (["--log"] if log else [])
                    code, out = run(cli, *args)
                    if code != 0:
                        continue
                    table = json.loads(out)
                    want = expected(grid, table, split, log)
                    problems += compare(" ".join(args[1:]), table["comparisons"], want)
                    checked += len(want)
                    made += sum((w["t"] is not None) + (w["rank"] is not None) for w in want)
    for line in problems[:40]:
        print(line)
    print("%d comparisons, %d tests made, %d problems" % (checked, made, len(problems)))
    return 1 if problems or made == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
