#!/usr/bin/env python3
"""Listing a folder of records as a user waits for it: whole processes.

Generates (once, cached beside the other benchmarks' records) a folder of
20,000 records of about 5 KB each, in sub-folders: mixed sizes (0.5 to 12 KB),
mixed code pages (UTF-8, GB2312, Shift_JIS, EUC-KR, Windows-1252, some
labelled and some not), a few collections of several games and a few damaged
files (cut short, binary junk, an import that cannot be read). Then times
`vantaro-cli list FOLDER` against `cat` reading the same files, both from a
warm cache, run after run in turn, and prints the medians, their ratio, the
processor time of the listing, its peak memory and how much more each game
listed costs.

    bench/record_folder.py [--runs 7] [--count 20000] [--cli build/vantaro-cli]
"""

import argparse
import os
import pathlib
import random
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

PLAYERS = {
    "utf-8": ["李世乭", "古力", "井山裕太", "박정환", "Shin Jinseo", "Ke Jie", "Iyama Yuta"],
    "gb2312": ["古力", "柯洁", "常昊", "聂卫平", "陈耀烨"],
    "shift_jis": ["井山裕太", "張栩", "一力遼", "芝野虎丸"],
    "euc-kr": ["박정환", "신진서", "이창호", "조훈현"],
    "cp1252": ["Müller", "Dupré", "Ødegaard", "Lee Sedol"],
}
COMMENTS = {
    "utf-8": "好手。黑棋厚实。 a good move ",
    "gb2312": "好手，黑棋厚实。",
    "shift_jis": "好手。黒が厚い。",
    "euc-kr": "좋은 수. 흑이 두텁다.",
    "cp1252": "Très bon coup – à retenir. ",
}
LABELS = {"utf-8": "UTF-8", "gb2312": "GB2312", "shift_jis": "Shift_JIS",
          "euc-kr": "EUC-KR", "cp1252": "Windows-1252"}


def escape(text):
    return text.replace("\\", "\\\\").replace("]", "\\]")


def game(rng, encoding, target):
    letters = "abcdefghijklmnopqrs"
    black, white = rng.sample(PLAYERS[encoding], 2)
    label = f"CA[{LABELS[encoding]}]" if rng.random() < 0.7 else ""
    head = (f"(;GM[1]FF[4]{label}SZ[19]PB[{escape(black)}]BR[{rng.randint(1, 9)}p]"
            f"PW[{escape(white)}]WR[{rng.randint(1, 9)}d]RE[{rng.choice(['B+R', 'W+2.5', 'B+0.5'])}]"
            f"DT[20{rng.randint(10, 24)}-0{rng.randint(1, 9)}-1{rng.randint(0, 9)}]"
            f"EV[Cup {rng.randint(1, 30)}]RO[{rng.randint(1, 5)}]KM[6.5]\n")
    parts = [head]
    size = len(head)
    move = 0
    while size < target:
        colour = "BW"[move % 2]
        node = f";{colour}[{rng.choice(letters)}{rng.choice(letters)}]"
        if rng.random() < 0.05:
            node += f"C[{escape(COMMENTS[encoding])}]"
        if move % 12 == 11:
            node += "\n"
        parts.append(node)
        size += len(node.encode(encoding, "replace"))
        move += 1
    parts.append(")\n")
    return "".join(parts).encode(encoding, "replace")


def generate(folder, count):
    rng = random.Random(20240)
    part = folder.with_suffix(".part")
    part.mkdir(parents=True, exist_ok=True)
    for i in range(count):
        sub = part / f"{i // 1000:02d}"
        sub.mkdir(exist_ok=True)
        encoding = rng.choice(list(PLAYERS))
        target = int(rng.lognormvariate(8.4, 0.5))  # about 5 KB, from 0.5 to 12
        target = max(500, min(target, 12000))
        if i % 1000 == 7:
            data = b"".join(game(rng, encoding, target // 4) for _ in range(4))
        else:
            data = game(rng, encoding, target)
        name = f"game{i:05d}.sgf"
        if i % 2000 == 13:
            data = data[: len(data) // 2]  # cut short
        elif i % 2000 == 29:
            data = bytes(rng.randrange(256) for _ in range(3000))  # not a record
        elif i % 5000 == 31:
            name, data = f"game{i:05d}.ngf", b"only\nthree\nlines\n"  # cannot be read
        (sub / name).write_bytes(data)
    part.rename(folder)


def run_once(command):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, _, usage = os.wait4(process.pid, 0)
    return time.perf_counter() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--count", type=int, default=20000)
    parser.add_argument("--cli", type=pathlib.Path, default=ROOT / "build/vantaro-cli")
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "build/bench/data")
    arguments = parser.parse_args()
    folder = arguments.data / f"folder-{arguments.count}"
    if not folder.exists():
        generate(folder, arguments.count)
    files = sorted(str(p) for p in folder.rglob("*") if p.is_file())
    total = sum(os.path.getsize(f) for f in files)
    listing = subprocess.run([str(arguments.cli), "list", str(folder)], capture_output=True)
    rows = listing.stdout.decode("utf-8", "replace").splitlines()[1:]
    text = sum(len(field.encode()) for row in rows for field in row.split("\t")[2:11])
    ours = [str(arguments.cli), "list", str(folder)]
    cat = ["sh", "-c", f"find '{folder}' -type f -print0 | xargs -0 cat"]
    run_once(ours), run_once(cat)  # warm the cache
    ours_runs, cat_runs = [], []
    for _ in range(arguments.runs):
        ours_runs.append(run_once(ours))
        cat_runs.append(run_once(cat))
    # The listing streams its rows: what grows with the games is measured by
    # listing the folder twice over, the same files and the same code paths.
    twice_peak = max(run_once(ours + [str(folder)])[2] for _ in range(3)) * 1024
    wall = statistics.median(r[0] for r in ours_runs)
    cpu = statistics.median(r[1] for r in ours_runs)
    peak = max(r[2] for r in ours_runs) * 1024
    cat_wall = statistics.median(r[0] for r in cat_runs)
    print(f"{len(files)} files, {total / 1e6:.1f} MB, {len(rows)} games, "
          f"{text / 1e6:.2f} MB of field text; {os.cpu_count()} cores; {arguments.runs} runs, medians")
    print(f"vantaro-cli list: {wall * 1000:.0f} ms ({total / 1e6 / wall:.0f} MB/s), "
          f"CPU {cpu * 1000:.0f} ms ({cpu / wall:.1f} cores), peak {peak / 1e6:.1f} MB, "
          f"{(twice_peak - peak) / max(len(rows), 1):.0f} bytes more per game listed "
          f"(the field text: {text / max(len(rows), 1):.0f} bytes per game)")
    print(f"cat: {cat_wall * 1000:.0f} ms ({total / 1e6 / cat_wall:.0f} MB/s); "
          f"listing at {cat_wall / wall:.2f} of cat's speed")


if __name__ == "__main__":
    sys.exit(main())
