#!/usr/bin/env python3
"""Opening a large record as a user waits for it: whole processes, start to exit.

Generates records of the given sizes with the corpus generator (cached beside
the other benchmarks' records), then runs `vantaro-cli info FILE` and, when
Debian's gnugo package is installed, GNU Go loading the same file
(`gnugo --mode gtp --infile FILE`, answering `quit`), side by side: the two
programs alternate, run after run, so that both see the same machine. Prints
the median wall time and throughput of each, the median CPU time (user +
system) and the peak resident size of vantaro-cli, and how many times faster
it is than GNU Go.

    bench/whole_process.py [--runs 7] [--sizes 10 100] [--cli build/vantaro-cli]
"""

import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent


def generated_record(megabytes, data_dir, shared_dir):
    """The cached record of about that many MB, made on first use."""
    path = data_dir / f"big-{megabytes}mb.sgf"
    if path.exists():
        return path
    generator = shared_dir / "corpus/large/gen_big_sgf.py"
    if not generator.exists():
        sys.exit(f"no generator at {generator}: give --shared")
    data_dir.mkdir(parents=True, exist_ok=True)
    part = path.with_suffix(".part")
    subprocess.run([sys.executable, str(generator), "--target-mb", str(megabytes), "-o", str(part)],
                   check=True, stderr=subprocess.DEVNULL)
    part.rename(path)
    return path


def run_once(command, stdin_text=None):
    """Wall seconds, CPU seconds (user + system) and peak resident MB of one process."""
    stdin = subprocess.PIPE if stdin_text is not None else subprocess.DEVNULL
    start = time.perf_counter()
    process = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    if stdin_text is not None:
        process.stdin.write(stdin_text.encode())
        process.stdin.close()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} failed with status {process.returncode}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def find_gnugo():
    for candidate in (shutil.which("gnugo"), "/usr/games/gnugo"):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--sizes", type=int, nargs="+", default=[10, 100])
    parser.add_argument("--cli", type=pathlib.Path, default=ROOT / "build/vantaro-cli")
    parser.add_argument("--shared", type=pathlib.Path, default=ROOT.parent / "shared")
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "build/bench/data")
    arguments = parser.parse_args()
    if not arguments.cli.exists():
        sys.exit(f"no {arguments.cli}: build it first (cmake --build build --target vantaro-cli)")
    gnugo = find_gnugo()
    if gnugo is None:
        print("GNU Go not installed (Debian package gnugo): measuring vantaro-cli alone")

    print(f"{arguments.runs} runs each, medians; {os.cpu_count()} cores, "
          f"load average {os.getloadavg()[0]:.1f} at the start")
    print()
    print("| record | vantaro-cli info | MB/s | CPU | peak (x file) | GNU Go | MB/s | speed-up |")
    print("|---|---|---|---|---|---|---|---|")
    for megabytes in arguments.sizes:
        path = generated_record(megabytes, arguments.data, arguments.shared)
        size = path.stat().st_size / 1e6
        ours_command = [str(arguments.cli), "info", str(path)]
        theirs_command = [gnugo, "--mode", "gtp", "--infile", str(path)] if gnugo else None
        # One run each first, so that every measured run finds the file cached.
        run_once(ours_command)
        if theirs_command:
            run_once(theirs_command, "quit\n")
        ours, theirs = [], []
        for _ in range(arguments.runs):
            ours.append(run_once(ours_command))
            if theirs_command:
                theirs.append(run_once(theirs_command, "quit\n"))
        wall = statistics.median(run[0] for run in ours)
        cpu = statistics.median(run[1] for run in ours)
        peak = max(run[2] for run in ours)
        row = (f"| {path.name} ({size:.1f} MB) | {wall * 1000:.0f} ms | {size / wall:.0f} | "
               f"{cpu * 1000:.0f} ms | {peak:.0f} MB ({peak / size:.2f}x) |")
        if theirs:
            their_wall = statistics.median(run[0] for run in theirs)
            row += f" {their_wall * 1000:.0f} ms | {size / their_wall:.0f} | {their_wall / wall:.1f}x |"
        else:
            row += " - | - | - |"
        print(row, flush=True)


if __name__ == "__main__":
    main()
