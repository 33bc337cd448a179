#!/usr/bin/env python3
"""Writes the program's move and capture sounds as WAV files into a folder:
move.wav (a stone placed on the board), deadstoneless.wav (a few captured
stones dropped into the lid) and deadstonemore.wav (a handful of them).
Every sound is synthesised here from a seeded random generator, so the
files are the same on every build."""
import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 22050


def click(samples, start, pitch, loudness, length, rng):
    """A hard, short knock: a noise burst over a decaying wooden resonance."""
    for i in range(int(length * RATE)):
        at = start + i
        if at >= len(samples):
            break
        t = i / RATE
        body = math.sin(2 * math.pi * pitch * t) * math.exp(-t * 55)
        overtone = 0.5 * math.sin(2 * math.pi * pitch * 2.7 * t) * math.exp(-t * 90)
        noise = rng.uniform(-1, 1) * math.exp(-t * 400)
        samples[at] += loudness * (0.55 * body + 0.25 * overtone + 0.35 * noise)


def render(path, events, seconds, seed):
    rng = random.Random(seed)
    samples = [0.0] * int(seconds * RATE)
    for start, pitch, loudness in events:
        click(samples, int(start * RATE), pitch, loudness, 0.12, rng)
    peak = max(abs(s) for s in samples) or 1.0
    frames = b"".join(struct.pack("<h", int(32000 * 0.8 * s / peak)) for s in samples)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py FOLDER")
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    render(folder / "move.wav", [(0.0, 520, 1.0)], 0.16, 1)
    few = random.Random(2)
    render(folder / "deadstoneless.wav",
           [(0.07 * k + few.uniform(0, 0.02), few.uniform(900, 1300), few.uniform(0.5, 0.8))
            for k in range(3)], 0.36, 3)
    many = random.Random(4)
    render(folder / "deadstonemore.wav",
           [(0.035 * k + many.uniform(0, 0.03), many.uniform(800, 1500), many.uniform(0.4, 0.8))
            for k in range(9)], 0.5, 5)


if __name__ == "__main__":
    main()
