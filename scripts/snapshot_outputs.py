#!/usr/bin/env python3
"""Writes every output quillmap-cli gives for a corpus of worksheets under every chart option
(grid and stats JSON, EMF, SVG, the trace, and each call's exit status and messages) into OUT,
one file each. Two snapshots taken with two builds must be identical when a change is meant to
leave behaviour as it was:

    scripts/snapshot_outputs.py /tmp/old/quillmap-cli /tmp/before
    scripts/snapshot_outputs.py build/release/quillmap-cli /tmp/after
    diff -r /tmp/before /tmp/after && echo identical

Usage: snapshot_outputs.py CLI OUT [SHEETS]"""
import concurrent.futures
import glob
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import make_sheet_corpus  # noqa: E402

TTEST_FLAGS = [[], ["--log"], ["--log", "--connect"], ["--line01", "--blue"],
               ["--log", "--line01", "--blue", "--connect"]]
BARS = ["none", "mean", "median", "sem", "median-se", "sd", "iqr", "boxplot", "unset"]
SPLITS = ["none", "paired", "non-paired"]


def calls(out, inp):
    """(name, arguments) of every call for one input; {out} in an argument is the file stem."""
    name = os.path.basename(inp)
    yield name + ".grid", ["grid", inp]
    yield name + ".placeholder", ["plot", inp, "--type", "placeholder", "-o", "{out}.emf",
                                  "--ops", "{out}.ops"]
    for split in SPLITS:
        yield "%s.stats-%s" % (name, split), ["stats", inp, "--split", split]
        for bar in BARS:
            for i, flags in enumerate(TTEST_FLAGS):
                stem = "%s.ttest-%s-%s-f%d" % (name, split, bar, i)
                base = ["plot", inp, "--type", "ttest", "--split", split, "--error-bar", bar] + flags
                yield stem, base + ["-o", "{out}.emf", "--ops", "{out}.ops"]
                if i in (0, 4):
                    yield stem + ".s", base + ["-o", "{out}.svg"]
        for mask in range(16):
            flags = [f for bit, f in enumerate(["--log", "--line01", "--blue", "--connect"])
                     if mask & (1 << bit)]
            stem = "%s.box-%s-m%d" % (name, split, mask)
            base = ["plot", inp, "--type", "boxplot", "--split", split] + flags
            yield stem, base + ["-o", "{out}.emf", "--ops", "{out}.ops"]
            yield stem + ".s", base + ["-o", "{out}.svg"]


def run(cli, out, name, arguments):
    stem = os.path.join(out, name)
    args = [a.replace("{out}", stem) for a in arguments]
    done = subprocess.run([cli] + args, capture_output=True)
    text = done.stdout.decode("latin-1") + "\n--- status %d\n" % done.returncode
    text += done.stderr.decode("latin-1").replace(out, "OUT").replace(cli, "CLI")
    with open(stem + ".out", "w", encoding="latin-1") as f:
        f.write(text)


def main():
    out = os.path.abspath(sys.argv[2])
    sheets = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    shutil.rmtree(out, ignore_errors=True)
    inputs = os.path.join(out, "inputs")
    os.makedirs(inputs)
    # A copy of the program, so that a build during the run cannot change what is measured.
    cli = os.path.join(out, "quillmap-cli")
    shutil.copy2(sys.argv[1], cli)
    sys.argv = ["make_sheet_corpus.py", inputs, str(sheets)]
    make_sheet_corpus.main()
    for pattern in ("*.wk1", "*.tsv"):
        for path in glob.glob(os.path.join(ROOT, "examples", pattern)):
            shutil.copy(path, inputs)
    work = [(n, a) for inp in sorted(glob.glob(os.path.join(inputs, "*"))) for n, a in calls(out, inp)]
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        for future in [pool.submit(run, cli, out, n, a) for n, a in work]:
            future.result()
    print("%d calls, outputs in %s" % (len(work), out))


if __name__ == "__main__":
    main()
