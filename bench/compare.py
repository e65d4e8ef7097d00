#!/usr/bin/env python3
"""Quillet beside the minimal Qt program, in one interleaved run.

Run it under an X server (bench/compare.sh starts Xvfb). Each session starts one
program on one document through session_probe; sessions alternate between the
programs, run after run, so both see the same machine load. The table gives the
median of every figure and the ratio Quillet / minimal.

Environment (every one optional):
  BENCH_RUNS      sessions per program and document (default 7)
  BENCH_DOCS      documents, any of: small crlf lf nobreak (default all four)
  BENCH_PROGRAMS  programs, any of: minimal quillet (default both)
  BENCH_IDLE      seconds of idle measured (default 10)
  BENCH_TYPE      characters typed at the end of the document (default 100, 0 skips)
  BENCH_TIMEOUT   seconds before a session counts as hung (default 60)
  BENCH_BIG_MB    size of the large documents in MB (default 10; nobreak: 6)
  BENCH_KEEP      folder to keep the raw results in (results.txt)
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

from documents import cyrillic, small as small_document

here = os.path.dirname(os.path.abspath(__file__))
quillet, minimal, probe = (os.path.abspath(p) for p in sys.argv[1:4])

runs = int(os.environ.get("BENCH_RUNS", "7"))
docs = os.environ.get("BENCH_DOCS", "small crlf lf nobreak").split()
programs = os.environ.get("BENCH_PROGRAMS", "minimal quillet").split()
idle = os.environ.get("BENCH_IDLE", "10")
typed = os.environ.get("BENCH_TYPE", "100")
timeout = os.environ.get("BENCH_TIMEOUT", "60")
big_mb = float(os.environ.get("BENCH_BIG_MB", "10"))

work = tempfile.mkdtemp(prefix="quillet-bench-")
runtimes = []


def make_documents():
    paths = {}
    small = small_document()
    big = int(big_mb * 1024 * 1024)
    contents = {
        "small": lambda: small,
        "crlf": lambda: cyrillic(big, b"\r\n"),
        "lf": lambda: cyrillic(big, b"\n"),
        "nobreak": lambda: cyrillic(int(min(big_mb, 6) * 1024 * 1024), b" "),
    }
    for name in docs:
        path = os.path.join(work, name + ".txt")
        with open(path, "wb") as f:
            f.write(contents[name]())
        paths[name] = path
    return paths


# The settings of an ordinary earlier run, shared with the end-to-end tests: no
# About window, no warning. The large-file question is switched off so the
# large documents open without a question.
def seeded_settings():
    lib = os.path.join(here, "..", "tests", "e2e", "lib.sh")
    # lib.sh removes its folders when the shell ends: read the file inside it.
    text = subprocess.run(
        ["bash", "-c",
         f'source "{lib}"; seed_settings; cat "$XDG_CONFIG_HOME/Quillet/Quillet.conf"'],
        capture_output=True, text=True, check=True).stdout
    text = text.replace("ConfirmFileSize=True", "ConfirmFileSize=False")
    return text


def session(program, document, conf_text):
    env = dict(os.environ)
    if program == "quillet":
        home = tempfile.mkdtemp(dir=work)
        os.makedirs(os.path.join(home, "config", "Quillet"))
        with open(os.path.join(home, "config", "Quillet", "Quillet.conf"), "w",
                  encoding="utf-8") as f:
            f.write(conf_text)
        # A desktop session's runtime folder (/run/user/<uid>) is in memory;
        # on disk, the lock file kept there costs a disk sync at every start.
        shm = "/dev/shm" if os.path.isdir("/dev/shm") else None
        runtime = tempfile.mkdtemp(prefix="quillet-bench-run-", dir=shm)
        os.chmod(runtime, 0o700)
        runtimes.append(runtime)
        env.update(XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_RUNTIME_DIR=runtime)
        command = [quillet, document]
    else:
        command = [minimal, document]
    env.pop("QT_QPA_PLATFORM", None)
    result = subprocess.run(
        [probe, "--idle", idle, "--type", typed, "--timeout", timeout, "--"] + command,
        capture_output=True, text=True, env=env)
    figures = dict(item.split("=", 1) for item in result.stdout.split())
    return figures


def loadavg():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


MEASURES = [
    ("window_ms", "start-up to window, ms"),
    ("window_cpu_ms", "CPU used up to the window, ms"),
    ("idle_ms", "open to idle, ms"),
    ("idle_cpu", "idle CPU over %s s, %% of a core" % idle),
    ("peak_kb", "RSS peak while loading, MB"),
    ("idle_kb", "RSS at idle, MB"),
    ("type_ms", "CPU for %s typed characters, ms" % typed),
]


def main():
    paths = make_documents()
    conf_text = seeded_settings()
    results = {(d, p): [] for d in docs for p in programs}
    loads = [loadavg()]
    raw = []
    print(f"load average before: {loads[0]}", flush=True)
    for run in range(runs):
        for d in docs:
            order = programs if run % 2 == 0 else list(reversed(programs))
            for p in order:
                figures = session(p, paths[d], conf_text)
                results[(d, p)].append(figures)
                line = f"run {run + 1} {d:8} {p:8} load {loadavg()}  " + " ".join(
                    f"{k}={v}" for k, v in figures.items())
                raw.append(line)
                print(line, flush=True)
        loads.append(loadavg())

    def median(d, p, key):
        values = [float(f[key]) for f in results[(d, p)] if key in f]
        if not values:
            return None
        value = statistics.median(values)
        return value / 1024 if key.endswith("_kb") else value

    print()
    print(f"Medians of {runs} interleaved runs; load average before {loads[0]}, "
          f"after {loads[-1]}")
    header = f"| {'document':8} | {'figure':40} |" + "".join(
        f" {p:>9} |" for p in programs) + (" ratio |" if len(programs) == 2 else "")
    print(header)
    print("|" + "---|" * (header.count("|") - 1))
    for d in docs:
        for key, label in MEASURES:
            values = [median(d, p, key) for p in programs]
            digits = 3 if key == "idle_cpu" else 1
            cells = "".join(f" {v:9.{digits}f} |" if v is not None else f" {'—':>9} |"
                            for v in values)
            ratio = ""
            if len(programs) == 2:
                a, b = values
                ratio = f" {b / a:5.2f} |" if a and b is not None else "     — |"
            print(f"| {d:8} | {label:40} |{cells}{ratio}")
        hung = {p: sum(1 for f in results[(d, p)] if f.get("status") != "ok") for p in programs}
        if any(hung.values()):
            print(f"| {d:8} | {'sessions not ok (timeout/exit)':40} |" + "".join(
                f" {hung[p]:9d} |" for p in programs) + ("       |" if len(programs) == 2 else ""))
    keep = os.environ.get("BENCH_KEEP")
    if keep:
        os.makedirs(keep, exist_ok=True)
        with open(os.path.join(keep, "results.txt"), "w") as f:
            f.write("\n".join(raw) + "\n")
    shutil.rmtree(work, ignore_errors=True)
    for folder in runtimes:
        shutil.rmtree(folder, ignore_errors=True)


main()
