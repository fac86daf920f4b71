#!/usr/bin/env python3
"""Runs bench_startup repeatedly, for Glyphora's main window and for an empty QMainWindow,
and reports the median time from process start to the first painted window and the
median peak memory, in a user folder as it is after the first start; then for the main
window with 10,000 own faces, to the first paint and until they are listed.
Usage: run.py <bench_startup> [runs]"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


OWN_ROWS = 10000


def prepare(home, own_rows=0):
    """A user folder as after the first start: settings stored, dictionary file written."""
    os.makedirs(home + "/runtime", mode=0o700)
    os.makedirs(home + "/config/Glyphora")
    # Sounds off: the benchmark measures the window, not the sound server.
    with open(home + "/config/Glyphora/Glyphora.conf", "w") as f:
        f.write("[Settings]\nSound=0\n")
    if own_rows:
        os.makedirs(home + "/data/Glyphora")
        with open(home + "/data/Glyphora/smileys.txt", "w", encoding="utf-8") as f:
            for i in range(own_rows):
                f.write(f"(\u256f\u00b0\u25a1\u00b0)\u256f {i}\tOwn face {i} - a user's own\n")


def once(binary, empty, home):
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
               XDG_DATA_HOME=home + "/data", XDG_RUNTIME_DIR=home + "/runtime",
               QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    start = time.monotonic_ns()
    out = subprocess.run([binary] + (["--empty"] if empty else []), env=env,
                         capture_output=True, text=True, timeout=60, check=True).stdout
    values = dict(line.split() for line in out.splitlines() if line.strip())
    return ((int(values["painted_ns"]) - start) / 1e6, int(values["peak_kb"]) / 1024,
            (int(values["settled_ns"]) - start) / 1e6)


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 41
    home = tempfile.mkdtemp(prefix="glyphora-bench-")
    own_home = tempfile.mkdtemp(prefix="glyphora-bench-own-")
    try:
        prepare(home)
        report(binary, runs, home)
        shutil.rmtree(own_home)
        prepare(own_home, OWN_ROWS)
        report_own(binary, runs, home, own_home)
    finally:
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(own_home, ignore_errors=True)


def report_own(binary, runs, home, own_home):
    """The main window without and with the user's own rows, taking turns."""
    once(binary, False, own_home)
    samples = {home: [], own_home: []}
    order = random.Random(2)
    for _ in range(runs):
        homes = [home, own_home]
        order.shuffle(homes)
        for h in homes:
            samples[h].append(once(binary, False, h))
    for label, h in (("without own rows", home), (f"with {OWN_ROWS} own rows", own_home)):
        print(f"{label:22s}  first paint {statistics.median(s[0] for s in samples[h]):7.1f} ms"
              f"   all rows listed {statistics.median(s[2] for s in samples[h]):7.1f} ms"
              f"   peak memory {statistics.median(s[1] for s in samples[h]):6.1f} MB")
    ratio = (statistics.median(s[2] for s in samples[own_home]) /
             statistics.median(s[2] for s in samples[home]))
    print(f"ratio                   all rows listed {ratio:.2f}x   (goal: 1.10x or less)")


def report(binary, runs, home):
    # Warm the file cache; Glyphora's first start also writes its dictionary file.
    once(binary, True, home)
    once(binary, False, home)
    # The two kinds take turns in a random order, so that a change in the machine's load
    # hits both alike; each pair also gives a ratio of its own.
    samples = {True: [], False: []}
    pair_ratios = []
    order = random.Random(1)
    for _ in range(runs):
        kinds = [True, False]
        order.shuffle(kinds)
        pair = {empty: once(binary, empty, home) for empty in kinds}
        for empty, sample in pair.items():
            samples[empty].append(sample)
        pair_ratios.append(pair[False][0] / pair[True][0])
    results = {}
    for label, empty in (("empty QMainWindow", True), ("Glyphora main window", False)):
        times = [s[0] for s in samples[empty]]
        results[label] = (statistics.median(times), min(times),
                          statistics.median(s[1] for s in samples[empty]))
        print(f"{label:22s}  start-up {results[label][0]:7.1f} ms (fastest {results[label][1]:5.1f})"
              f"   peak memory {results[label][2]:6.1f} MB   ({runs} runs, median)")
    base, ours = results["empty QMainWindow"], results["Glyphora main window"]
    print(f"ratio                   start-up {ours[0] / base[0]:.2f}x (fastest {ours[1] / base[1]:.2f}x, "
          f"pairs {statistics.median(pair_ratios):.2f}x)   peak memory {ours[2] / base[2]:.2f}x"
          f"   (goal: 1.3x or less)")


if __name__ == "__main__":
    main()
