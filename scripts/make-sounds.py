#!/usr/bin/env python3
"""Writes the buttons' two short sounds, src/resources/over.wav and click.wav.

Both are 16-bit mono PCM at 22050 Hz, made from decaying sine tones, so they are
our own and reproducible: run this script again to get the same bytes.
"""
import math
import pathlib
import struct
import wave

RATE = 22050


def tone(parts, length, volume):
    """Sum of (frequency, decay per second) partials with a 2 ms fade-in."""
    frames = bytearray()
    count = int(RATE * length)
    for n in range(count):
        t = n / RATE
        sample = sum(math.sin(2 * math.pi * f * t) * math.exp(-d * t) for f, d in parts)
        sample *= min(1.0, t / 0.002) * min(1.0, (count - n) / (RATE * 0.003))
        value = max(-1.0, min(1.0, sample * volume / len(parts)))
        frames += struct.pack("<h", int(round(value * 32767)))
    return bytes(frames)


def write(path, frames):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "src" / "resources"
    # A soft, rising blip for the mouse entering a button.
    write(folder / "over.wav", tone([(1318.5, 60.0), (1975.5, 90.0)], 0.06, 0.35))
    # A short, lower tick for a click.
    write(folder / "click.wav", tone([(880.0, 110.0), (2637.0, 220.0), (220.0, 80.0)], 0.045, 0.6))


if __name__ == "__main__":
    main()
