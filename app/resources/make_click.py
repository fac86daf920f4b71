#!/usr/bin/env python3
"""Writes SOUND1.wav: the click sound, a RIFF PCM wave of exactly 5524 bytes
(mono, 11025 Hz, 8 bits, 5480 sample bytes)."""
import math
import struct

RATE = 11025
SAMPLES = 5480


def sample(n):
    t = n / RATE
    # A soft wooden "tock": two partials with a fast attack and an exponential decay.
    attack = min(1.0, t / 0.002)
    body = math.exp(-t / 0.018) * math.sin(2 * math.pi * 1180 * t)
    tone = 0.45 * math.exp(-t / 0.045) * math.sin(2 * math.pi * 590 * t + 0.3)
    return attack * 0.62 * (body + tone)


data = bytearray()
for n in range(SAMPLES):
    value = sample(n)
    data.append(max(0, min(255, 128 + round(value * 127))))

header = b"RIFF" + struct.pack("<I", 36 + SAMPLES) + b"WAVE"
header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE, 1, 8)
header += b"data" + struct.pack("<I", SAMPLES)
with open("SOUND1.wav", "wb") as out:
    out.write(header + bytes(data))
assert len(header) + len(data) == 5524
