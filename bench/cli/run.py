#!/usr/bin/env python3
"""Measures the command line.

translate: a deterministic English text of --size MB (50 by default) through
`glyphora translate` and through every installed talk filter of Debian's `filters` package
(/usr/games/...), best of --runs; prints seconds, MB/s, Glyphora's speed-up over the
fastest filter (goal: 4x or more) and Glyphora's peak memory at that size and at four
times it (goal: under 20 MB, the same at both sizes).

acronym: `glyphora acronym brb` from start to exit, median of --starts runs (goal: under
20 ms), without a display, as over ssh.

Usage: run.py <glyphora> [--size MB] [--runs N] [--starts N]"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import tempfile
import threading
import time

# Common English words and some the dictionary knows, so that lookups both hit and miss.
WORDS = """the be to of and a in that have I it for not on with he as you do at this but his
by from they we say her she or an will my one all would there their what so up out if about
who get which go me when make can like time no just him know take people into year your good
some could them see other than then now look only come its over think also back after use two
how our work first well way even new want because any these give day most us is are was were
been has had did said going very really friend money house car food water man woman child
tomorrow yesterday morning night please thank hello goodbye yes maybe always never everything
nothing something anyone police doctor teacher school church music party phone computer
brother sister mother father family baby little big small old young happy sad angry tired
hungry beautiful ugly crazy cool great nice bad terrible awesome stupid smart funny""".split()

# Seconds after which a filter is stopped: some are Perl scripts that take minutes, and
# one that slow cannot be the fastest.
FILTER_LIMIT = 20


def installed_filters():
    listing = subprocess.run(["dpkg", "-L", "filters"], capture_output=True, text=True).stdout
    return sorted(p for p in listing.split()
                  if p.startswith("/usr/games/") and os.path.isfile(p) and os.access(p, os.X_OK))


def make_text(path, megabytes):
    """Sentences of 4 to 16 words, lines of about 70 characters, from a fixed seed."""
    rng = random.Random(1234)
    target = megabytes * 1000 * 1000
    written = 0
    with open(path, "w", encoding="ascii", newline="\n") as f:
        line = []
        length = 0
        chunk = []
        while written < target:
            n = rng.randint(4, 16)
            words = [rng.choice(WORDS) for _ in range(n)]
            words[0] = words[0].capitalize()
            words[-1] += rng.choice(".....?!,")
            for w in words:
                line.append(w)
                length += len(w) + 1
                if length >= 70:
                    text = " ".join(line) + "\n"
                    chunk.append(text)
                    written += len(text)
                    line, length = [], 0
            if len(chunk) > 10000:
                f.write("".join(chunk))
                chunk = []
        f.write("".join(chunk))


class TooSlow(Exception):
    pass


def run_once(command, stdin_path, env, limit=None):
    """Seconds and peak memory (MB) of one run with the file on standard input; TooSlow
    when it takes more than limit seconds.

    The memory comes from GNU time, not from Python's wait4: a child of Python starts as a
    copy of it, and Linux keeps that copy's size as the child's peak across exec."""
    with tempfile.NamedTemporaryFile(mode="r") as report, \
            open(stdin_path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.monotonic()
        process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                                   stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL,
                                   env=env)
        def stop():
            # The command first: GNU time would leave it running.
            subprocess.run(["pkill", "-KILL", "-P", str(process.pid)], check=False)
            process.kill()

        timer = threading.Timer(limit, stop) if limit else None
        if timer:
            timer.start()
        try:
            process.wait()
        finally:
            if timer:
                timer.cancel()
        seconds = time.monotonic() - start
        if limit and seconds >= limit:
            raise TooSlow()
        if process.returncode != 0:
            raise RuntimeError(f"{command} exited with {process.returncode}")
        peak_kb = int(report.read().split()[-1])
    return seconds, peak_kb / 1024


def best_of(command, path, env, runs, limit=None):
    first = run_once(command, path, env, limit)
    results = [first]
    # A slow filter is timed once: it cannot be the fastest.
    if first[0] < 3:
        results += [run_once(command, path, env) for _ in range(runs - 1)]
    return min(r[0] for r in results), max(r[1] for r in results)


def private_env(home):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                        "QT_QPA_PLATFORM")}
    env.update(HOME=home, XDG_DATA_HOME=home + "/data", XDG_CONFIG_HOME=home + "/config",
               LC_ALL="C.UTF-8")
    return env


def bench_translate(glyphora, folder, env, megabytes, runs):
    text = os.path.join(folder, "english.txt")
    make_text(text, megabytes)
    size_mb = os.path.getsize(text) / 1e6
    print(f"translate: {size_mb:.1f} MB of English text, best of {runs}")
    ours, rss = best_of([glyphora, "translate"], text, env, runs)
    print(f"  {'glyphora translate':22s} {ours:7.3f} s  {size_mb / ours:7.1f} MB/s"
          f"  peak {rss:5.1f} MB")
    filters = []
    for path in installed_filters():
        name = os.path.basename(path)
        try:
            seconds, peak = best_of([path], text, env, runs, FILTER_LIMIT)
        except TooSlow:
            print(f"  {name:22s} > {FILTER_LIMIT} s (stopped)")
            continue
        except RuntimeError as error:
            print(f"  {name:22s} failed: {error}")
            continue
        filters.append((seconds, name))
        print(f"  {name:22s} {seconds:7.3f} s  {size_mb / seconds:7.1f} MB/s"
              f"  peak {peak:5.1f} MB", flush=True)
    if filters:
        fastest = min(filters)
        print(f"  speed-up over the fastest filter ({fastest[1]}): {fastest[0] / ours:.1f}x"
              f"   (goal: 4x or more)")
    else:
        print("  no talk filter installed (Debian package filters)")

    big = os.path.join(folder, "english-x4.txt")
    with open(big, "wb") as out, open(text, "rb") as part:
        data = part.read()
        for _ in range(4):
            out.write(data)
    big_seconds, big_rss = best_of([glyphora, "translate"], big, env, 1)
    print(f"  peak memory: {rss:.1f} MB at {size_mb:.0f} MB, {big_rss:.1f} MB at "
          f"{4 * size_mb:.0f} MB ({big_seconds:.2f} s)   (goal: under 20 MB at both)")


def bench_acronym(glyphora, env, starts):
    command = [glyphora, "acronym", "brb"]
    for _ in range(3):  # warm the file cache
        subprocess.run(command, env=env, capture_output=True, check=True)
    times = []
    for _ in range(starts):
        start = time.monotonic_ns()
        subprocess.run(command, env=env, stdout=subprocess.DEVNULL, check=True)
        times.append((time.monotonic_ns() - start) / 1e6)
    print(f"acronym brb: start to exit {statistics.median(times):.1f} ms median, "
          f"fastest {min(times):.1f} ms ({starts} runs)   (goal: under 20 ms)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("glyphora")
    parser.add_argument("--size", type=int, default=50)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--starts", type=int, default=101)
    args = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="glyphora-bench-cli-")
    try:
        env = private_env(folder)
        bench_acronym(args.glyphora, env, args.starts)
        bench_translate(args.glyphora, folder, env, args.size, args.runs)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
