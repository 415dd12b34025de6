#!/usr/bin/env python3
"""Generates the event sounds in this folder: 16-bit PCM mono WAV at 22050 Hz.

    python3 make_sounds.py            # writes Type1.wav, Type3.wav, Type4.wav, Switch1.wav here

The output is the same on every run: the noise comes from a fixed-seed generator written out
below (not the platform's random module) and nothing depends on the clock or the machine.
Every sound starts and ends with a short linear fade so it does not click at its edges, and is
scaled to a fixed peak well under full scale, so nothing clips.

Type1   character key   a soft, bright tick: 4 ms of high-passed noise over a 2.4 kHz tone
                        that dies away in about 10 ms; 40 ms long, peak 30 % of full scale.
Type3   any other key   a duller, lower thock: noise through two 900 Hz low-pass stages over a
                        700 Hz tone that drops slightly in pitch; 50 ms long, peak 30 %.
Type4   Backspace/Del   two quick ticks 35 ms apart, the second lower (1.9 kHz, then 1.4 kHz),
                        so deleting sounds unlike typing; 75 ms long, peak 28 %.
Switch1 layout switch   a two-note chime rising a perfect fourth (G5 784 Hz, then C6 1047 Hz
                        after 80 ms); each note is a sine with a quiet second and third partial
                        and an exponential ring-out; 240 ms long, peak 45 %.
"""

import math
import os
import struct
import wave

RATE = 22050
FULL_SCALE = 32767


class Noise:
    """A 32-bit linear congruential generator: white noise in [-1, 1), the same on every run."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def samples(duration_s):
    return int(round(duration_s * RATE))


def low_pass(signal, cutoff_hz):
    """One-pole low-pass filter."""
    a = math.exp(-2.0 * math.pi * cutoff_hz / RATE)
    out, y = [], 0.0
    for x in signal:
        y = (1.0 - a) * x + a * y
        out.append(y)
    return out


def high_pass(signal, cutoff_hz):
    smooth = low_pass(signal, cutoff_hz)
    return [x - s for x, s in zip(signal, smooth)]


def tone(n, freq_hz, decay_s, start_phase=0.0, glide=0.0):
    """A sine with an exponential decay; `glide` is the relative pitch drop over the sound."""
    out, phase = [], start_phase
    for i in range(n):
        t = i / RATE
        f = freq_hz * (1.0 - glide * i / max(n - 1, 1))
        out.append(math.sin(phase) * math.exp(-t / decay_s))
        phase += 2.0 * math.pi * f / RATE
    return out


def burst(n, seed, decay_s):
    noise = Noise(seed)
    return [noise.next() * math.exp(-(i / RATE) / decay_s) for i in range(n)]


def mix(*parts):
    n = max(len(p) for _, p in parts)
    out = [0.0] * n
    for gain, part in parts:
        for i, x in enumerate(part):
            out[i] += gain * x
    return out


def delayed(signal, delay_s, total):
    d = samples(delay_s)
    return ([0.0] * d + signal + [0.0] * total)[:total]


def fade(signal, in_s, out_s):
    n = len(signal)
    fi, fo = max(samples(in_s), 1), max(samples(out_s), 1)
    out = list(signal)
    for i in range(n):
        g = 1.0
        if i < fi:
            g *= i / fi
        if i >= n - fo:
            g *= (n - 1 - i) / fo
        out[i] *= g
    return out


def normalize(signal, peak):
    top = max(abs(x) for x in signal)
    return [x * peak / top for x in signal]


def type1():
    n = samples(0.040)
    click = high_pass(burst(n, seed=0x7101, decay_s=0.0015), 1500)
    body = tone(n, 2400, decay_s=0.004)
    return fade(mix((0.6, click), (0.5, body)), 0.0005, 0.010), 0.30


def type3():
    n = samples(0.050)
    thud = low_pass(low_pass(burst(n, seed=0x7303, decay_s=0.004), 900), 900)
    body = tone(n, 700, decay_s=0.008, glide=0.15)
    return fade(mix((4.0, thud), (0.6, body)), 0.0008, 0.012), 0.30


def tick(n, seed, freq_hz):
    click = high_pass(burst(n, seed=seed, decay_s=0.0012), 1200)
    return mix((0.5, click), (0.6, tone(n, freq_hz, decay_s=0.005)))


def type4():
    n = samples(0.075)
    first = tick(samples(0.030), 0x7404, 1900)
    second = tick(samples(0.040), 0x7405, 1400)
    return fade(mix((1.0, delayed(first, 0.0, n)), (0.85, delayed(second, 0.035, n))), 0.0005, 0.010), 0.28


def chime_note(n, freq_hz):
    return mix(
        (1.0, tone(n, freq_hz, decay_s=0.070)),
        (0.30, tone(n, 2 * freq_hz, decay_s=0.040)),
        (0.10, tone(n, 3 * freq_hz, decay_s=0.025)),
    )


def switch1():
    n = samples(0.240)
    low = chime_note(n, 783.99)  # G5
    high = chime_note(n - samples(0.080), 1046.50)  # C6
    return fade(mix((0.8, low), (1.0, delayed(high, 0.080, n))), 0.003, 0.030), 0.45


def write_wav(path, signal, peak):
    data = normalize(signal, peak)
    frames = b"".join(struct.pack("<h", int(round(x * FULL_SCALE))) for x in data)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, make in (("Type1", type1), ("Type3", type3), ("Type4", type4), ("Switch1", switch1)):
        signal, peak = make()
        write_wav(os.path.join(here, name + ".wav"), signal, peak)


if __name__ == "__main__":
    main()
